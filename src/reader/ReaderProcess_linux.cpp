#include "ReaderProcess.h"

#include <clocale>
#include <cstdlib>
#include <unistd.h>

namespace vf::reader {

void prepareReaderProcess()
{
    std::setlocale(LC_ALL, "C");
    setenv("MDBICONV", "UTF-8", 1);
    unsetenv("MDBOPTS");
    unsetenv("MDBPATH");
    unsetenv("MDB_JET3_CHARSET");
}

std::FILE* takeRowsChannel()
{
    const int rows = dup(STDOUT_FILENO);
    if (rows < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0)
        return nullptr;
    return fdopen(rows, "wb");
}

std::vector<std::string> readerArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace vf::reader
