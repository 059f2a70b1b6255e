// vfturn-reader: reads a turn results file, or with --old-database the old program's
// database, and writes its rows to standard output for the program (see
// turnimport/ReaderProtocol.h). It runs in its own process so that a damaged or
// hostile file can at worst end this process, never the program.

#include "ReaderProcess.h"
#include "TurnFileReader.h"
#include "protocol/ReaderProtocol.h"

#include <chrono>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    using namespace vf::reader;
    prepareReaderProcess();
    std::FILE* rows = takeRowsChannel();
    if (!rows) {
        std::fprintf(stderr, "the reader's output channel cannot be set up\n");
        return 1;
    }
    const std::vector<std::string> arguments = readerArguments(argc, argv);
    const bool oldDatabase = arguments.size() == 2 && arguments[0] == kOldDatabaseOption;
    if (arguments.size() != 1 && !oldDatabase) {
        std::fprintf(stderr, "usage: vfturn-reader [%s] FILE\n", kOldDatabaseOption);
        return kExitUsage;
    }
    const auto started = std::chrono::steady_clock::now();
    try {
        if (arguments.back().empty())
            throw UnusableFile("its name holds letters the reader cannot open; rename the file "
                               "or its folder");
        TurnFileReader reader(arguments.back(), oldDatabase ? TurnFileReader::Kind::OldDatabase
                                                            : TurnFileReader::Kind::TurnResults);
        FrameWriter out(rows);
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
