#include "ReaderProcess.h"

#include <clocale>
#include <cstdlib>

namespace vf::turnfile {

void prepareReaderProcess()
{
    std::setlocale(LC_ALL, "C");
    setenv("MDBICONV", "UTF-8", 1);
    unsetenv("MDBOPTS");
    unsetenv("MDBPATH");
    unsetenv("MDB_JET3_CHARSET");
}

std::vector<std::string> readerArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace vf::turnfile
