// vfturn-turnfile: reads a turn results file, or with --old-database the old program's
// database, and writes its rows to standard output for the program (see
// turnimport/ReaderProtocol.h). It runs in its own process so that a damaged or
// hostile file can at worst end this process, never the program.

#include "TurnFileReader.h"
#include "turnimport/ReaderProtocol.h"

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// libmdb reads these at open time: numbers must be formatted with '.', text converted to
// UTF-8, and nothing from the player's environment may change how the file is read.
void prepareEnvironment()
{
    std::setlocale(LC_ALL, "C");
#ifdef _WIN32
    _putenv_s("MDBICONV", "UTF-8");
    _putenv_s("MDBOPTS", "");
    _setmode(_fileno(stdout), _O_BINARY);
#else
    setenv("MDBICONV", "UTF-8", 1);
    unsetenv("MDBOPTS");
    unsetenv("MDBPATH");
    unsetenv("MDB_JET3_CHARSET");
#endif
}

} // namespace

int main(int argc, char** argv)
{
    using namespace vf::turnfile;
    const bool oldDatabase = argc == 3 && std::strcmp(argv[1], kOldDatabaseOption) == 0;
    if (argc != 2 && !oldDatabase) {
        std::fprintf(stderr, "usage: vfturn-turnfile [%s] FILE\n", kOldDatabaseOption);
        return kExitUsage;
    }
    prepareEnvironment();
    const auto started = std::chrono::steady_clock::now();
    try {
        TurnFileReader reader(argv[argc - 1], oldDatabase ? TurnFileReader::Kind::OldDatabase
                                                          : TurnFileReader::Kind::TurnResults);
        FrameWriter out(stdout);
        const auto rows = reader.copyTo(out);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - started)
                            .count();
        out.end(rows, ms);
        return 0;
    } catch (const UnusableFile& error) {
        std::fprintf(stderr, "%s%s\n", kUnusablePrefix, error.what());
        return kExitUnusableFile;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
