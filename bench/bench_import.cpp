// Import of turn results files: 900.mdb (52,800 rows) into a database already holding the
// empire's previous import, and perf/big.mdb (528,000 rows) when it is present, each beside
// the read floor: libmdb reading every value of the same file in one process.

#include "BenchSupport.h"
#include "ReadFloor.h"
#include "TestStore.h"
#include "turnimport/TurnImporter.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

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

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Times the whole import (reader start to commit) and the floor, alternating so that both
// see the same machine, and prints both and their ratio.
void compareWithFloor(const TurnImporter& importer, const QString& file, int empireId, int runs,
                      const char* name, double targetMs)
{
    importer.importFile(empireId, file);
    QList<double> reading;
    QList<double> finishing;
    QList<double> floor;
    const auto total = bench::measure(
        runs,
        [&] {
            const ImportStatistics s = importer.importFile(empireId, file).statistics;
            reading << double(s.readMs);
            finishing << double(s.finishMs);
        },
        [&] {
            QElapsedTimer timer;
            timer.start();
            bench::readEveryValue(file.toStdString());
            floor << timer.nsecsElapsed() / 1e6;
        });
    const QByteArray title = QByteArray("import ") + name + ", reader start to commit";
    bench::report(title.constData(), total, targetMs);
    std::printf("%-62s median %8.0f ms\n", "  the reader's own reading (rows stored meanwhile)",
                median(reading));
    std::printf("%-62s median %8.0f ms\n", "  after the reader ended: last rows and the commit",
                median(finishing));
    std::printf("%-62s median %8.2f ms\n", "  read floor: libmdb reading every value, one process",
                median(floor));
    std::printf("%-62s %8.2f x   (goal: at most 2 x)\n", "  import / read floor",
                total.median / median(floor));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    test::TestStore store;
    const TurnImporter importer(store.store(), test::TestStore::readerPath());
    compareWithFloor(importer, test::TestStore::dataFile(QStringLiteral("900.mdb")), 900, 11,
                     "900.mdb (52,800 rows)", 200);

    const QString big = QStringLiteral(VFTURN_BIG_TURN_FILE);
    if (!QFileInfo::exists(big)) {
        std::printf("perf/big.mdb is not present (%s): the 528,000-row import was not measured\n",
                    qPrintable(big));
        return 0;
    }
    compareWithFloor(importer, big, 900, 3, "perf/big.mdb (528,000 rows)", 1000);
    std::printf("%-62s %8.1f MB (target under 100 MB)\n", "peak memory of the program",
                ownPeakKb() / 1024.0);
    // The reader's own peak cannot be told from here: the system counts a child with the
    // pages of the program it was started from (measure it alone, e.g. /usr/bin/time -f %M).
    return 0;
}
