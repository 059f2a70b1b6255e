// The Turn Data window and What Changed over the large files: the window opened on the 528,000
// rows of perf/big.mdb, a filter keystroke, the comparison of 900.mdb with big.mdb, and the
// import of big.mdb with and without a comparison.

#include "AppFixture.h"
#include "BenchSupport.h"
#include "turndata/TurnChanges.h"
#include "turndata/TurnDataWindow.h"
#include "turnimport/TurnImporter.h"

#include <QFileInfo>
#include <QLineEdit>

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
    const TurnImporter importer(f.t.store(), test::TestStore::workerPath());
    importer.importFile(900, big);
    std::unique_ptr<TurnDataWindow> window;
    bench::report(
        "Turn Data window on big.mdb, opened and painted",
        bench::measureOpening(
            5, window,
            [&] { return std::make_unique<TurnDataWindow>(f.context, f.navigator, 900); }),
        300);
    int typed = 0;
    const QString text = QStringLiteral("Arar 12");
    bench::report("  a filter keystroke over every tab",
                  bench::measure(int(text.size()),
                                 [&] {
                                     window->filter().setText(text.left(++typed));
                                     QApplication::processEvents();
                                 }),
                  100);
    window.reset();

    // 900.mdb kept, then big.mdb stored: what changed, measured alone.
    bench::print("  reading every table of big.mdb's data",
                 bench::measure(3, [&] { readTurnSnapshot(f.t.store(), 900); }));
    test::TestStore other;
    other.addEmpire(900, QStringLiteral("Vast Dominion"));
    TurnImporter(other.store(), test::TestStore::workerPath())
        .importFile(900, test::TestStore::dataFile(QStringLiteral("900.mdb")));
    const StoredTurn small(other.store(), 900);
    bench::report("What changed from 900.mdb to big.mdb (compare only)",
                  bench::measure(3, [&] { small.changesTo(f.t.store(), 900); }), 1000);
    const auto withComparison = bench::measure(
        3, [&] { importer.importFile(900, big); },
        [&] { importer.importFile(900, test::TestStore::dataFile(QStringLiteral("900.mdb"))); });
    bench::print("Import of big.mdb after 900.mdb, the comparison included", withComparison);
    test::TestStore plain;
    plain.addEmpire(900, QStringLiteral("Vast Dominion"));
    const TurnImporter firstImport(plain.store(), test::TestStore::workerPath());
    const auto without = bench::measure(
        3, [&] { firstImport.importFile(900, big); },
        [&] { plain.store().run(QStringLiteral("DELETE FROM Settings")); });
    bench::print("Import of big.mdb with nothing to compare with", without);
    std::printf("With the comparison: %.2f times the import without it (target: within 1.3)\n",
                withComparison.median / without.median);
    return 0;
}
