// The Turn Data window and What Changed over the large files: the window opened on the 528,000
// rows of perf/big.mdb, a filter keystroke, and what changed from 900.mdb to big.mdb.

#include "AppFixture.h"
#include "BenchSupport.h"
#include "turndata/TurnChanges.h"
#include "turndata/TurnDataWindow.h"
#include "turndata/TurnTableModel.h"
#include "turnimport/TurnImporter.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QTabWidget>

using namespace vf;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString big = QStringLiteral(VFTURN_BIG_TURN_FILE);
    if (!QFileInfo::exists(big)) {
        std::printf("%s is not there: nothing measured\n", qPrintable(big));
        return 0;
    }
    test::AppFixture f;
    f.t.addEmpire(900, QStringLiteral("Vast Dominion"));
    const TurnImporter importer(f.t.store(), test::TestStore::readerPath());
    importer.importFile(900, big);
    std::unique_ptr<TurnDataWindow> window;
    bench::report(
        "Turn Data window on big.mdb, opened and painted",
        bench::measureOpening(
            5, window,
            [&] { return std::make_unique<TurnDataWindow>(f.context, f.navigator, 900); }),
        300);
    // Typed as soon as the window shows, while the other tables are still being read.
    int typed = 0;
    const QString text = QStringLiteral("Arar 12");
    const auto typeOne = [&] {
        window->filter().setText(text.left(++typed));
        QApplication::processEvents();
    };
    QElapsedTimer reading;
    reading.start();
    bench::report("  the first filter keystroke, as the window opens", bench::measure(1, typeOne),
                  100);
    const auto allRead = [&] {
        for (int tab = 0; tab < window->tabs().count(); ++tab) {
            if (!window->model(tab).loaded())
                return false;
        }
        return true;
    };
    while (!allRead())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::printf("  every table read, %lld ms after the window showed\n",
                static_cast<long long>(reading.elapsed()));
    bench::report("  each further filter keystroke over every tab",
                  bench::measure(int(text.size()) - 1, typeOne), 100);
    window.reset();

    // What changed from 900.mdb (read again from its file, as from the archive) to big.mdb.
    bench::print("  reading every table of big.mdb's data",
                 bench::measure(3, [&] { readTurnSnapshot(f.t.store(), 900); }));
    const QString small = test::TestStore::dataFile(QStringLiteral("900.mdb"));
    TurnChanges changes;
    bench::report("What Changed from 900.mdb to big.mdb, 900.mdb read again",
                  bench::measure(3,
                                 [&] {
                                     changes = changesSince(f.t.store(), 900,
                                                            test::TestStore::readerPath(), small,
                                                            QDateTime::currentDateTime());
                                 }),
                  1000);
    std::printf("%d changes\n", changes.total());
    return 0;
}
