// vfturn-turnfile: reads a turn results file and writes its rows to a staging file for the
// program (see turnimport/StagingFormat.h). It runs in its own process so that a damaged or
// hostile file can at worst end this process, never the program.

#include "StagingWriter.h"
#include "TurnFileReader.h"
#include "turnimport/StagingFormat.h"

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

// libmdb reads these at open time: numbers must be formatted with '.', text converted to
// UTF-8, and nothing from the player's environment may change how the file is read.
void prepareEnvironment()
{
    std::setlocale(LC_ALL, "C");
    setenv("MDBICONV", "UTF-8", 1);
    unsetenv("MDBOPTS");
    unsetenv("MDBPATH");
    unsetenv("MDB_JET3_CHARSET");
}

} // namespace

int main(int argc, char** argv)
{
    using namespace vf::turnfile;
    if (argc != 3) {
        std::fprintf(stderr, "usage: vfturn-turnfile TURN-RESULTS-FILE STAGING-FILE\n");
        return kExitUsage;
    }
    prepareEnvironment();
    const auto started = std::chrono::steady_clock::now();
    try {
        TurnFileReader reader(argv[1]);
        StagingWriter writer(argv[2]);
        const auto rows = reader.copyTo(writer);
        writer.finish();
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - started)
                            .count();
        std::printf("rows %lld read-ms %lld\n", static_cast<long long>(rows),
                    static_cast<long long>(ms));
        return 0;
    } catch (const DiskFull& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return kExitDiskFull;
    } catch (const UnusableFile& error) {
        std::fprintf(stderr, "%s%s\n", kUnusablePrefix, error.what());
        return kExitUnusableFile;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
