// Import of turn results files: 900.mdb (52,800 rows) into a database already holding the
// empire's previous import, and perf/big.mdb (528,000 rows) when it is present.

#include "BenchSupport.h"
#include "TestStore.h"
#include "turnimport/TurnImporter.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <sys/resource.h>

using namespace vf;

namespace {

// The program's own peak resident memory, from the kernel's account of this process.
long ownPeakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

long childrenPeakKb()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    test::TestStore store;
    const TurnImporter importer(store.store(), test::TestStore::workerPath());
    const QString file = test::TestStore::dataFile(QStringLiteral("900.mdb"));
    importer.importFile(900, file);

    QList<double> reading;
    QList<double> copying;
    const auto total = bench::measure(11, [&] {
        const ImportStatistics s = importer.importFile(900, file);
        reading << double(s.readMs);
        copying << double(s.copyMs);
    });
    std::sort(reading.begin(), reading.end());
    std::sort(copying.begin(), copying.end());
    bench::report("import 900.mdb (52,800 rows), worker start included", total, 200);
    std::printf("%-62s median %8.0f ms\n", "  of which the worker's own reading",
                reading.at(reading.size() / 2));
    std::printf("%-62s median %8.0f ms\n", "  of which replacing the rows (one transaction)",
                copying.at(copying.size() / 2));

    const QString big = QStringLiteral(VFTURN_BIG_TURN_FILE);
    if (!QFileInfo::exists(big)) {
        std::printf("perf/big.mdb is not present (%s): the 528,000-row import was not measured\n",
                    qPrintable(big));
        return 0;
    }
    ImportStatistics s;
    const auto bigTiming = bench::measure(3, [&] { s = importer.importFile(900, big); });
    bench::report("import perf/big.mdb (528,000 rows)", bigTiming, 2000);
    std::printf("%-62s %8lld ms reading, %lld ms copying (last run)\n", "  split", s.readMs,
                s.copyMs);
    std::printf("%-62s %8.1f MB (target under 150 MB)\n", "peak memory of the program",
                ownPeakKb() / 1024.0);
    std::printf("%-62s %8.1f MB\n", "peak memory of the reader worker", childrenPeakKb() / 1024.0);
    return 0;
}
