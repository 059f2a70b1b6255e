// The warp map over the large files: reading and laying out 900.mdb's 5,000 stars and
// big.mdb's 50,000.

#include "AppFixture.h"
#include "BenchSupport.h"
#include "store/TurnImports.h"
#include "turnimport/TurnImporter.h"
#include "warpmap/MapLayout.h"
#include "warpmap/MapView.h"
#include "warpmap/WarpMapWindow.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>

using namespace vf;

namespace {

void layOut(const char* what, test::TestStore& t, int empireId, double targetMs)
{
    WarpMap map;
    bench::print("  reading the stars and warp points",
                 bench::measure(3, [&] { map = readWarpMap(t.store(), empireId); }));
    std::printf("  %lld stars, %zu links, %zu unexplored\n",
                static_cast<long long>(map.stars.size()), map.links.size(), map.stubs.size());
    bench::report(what, bench::measure(1, [&] { layOutMap(map); }), targetMs);
    keepPlaces(t.store(), empireId, lastImportOf(t.store(), empireId).when, map);
}

// The window opened on the places kept, then frames of panning and zooming with the whole map
// in sight (every star and link drawn).
void drawMap(test::AppFixture& f, int empireId)
{
    std::unique_ptr<WarpMapWindow> window;
    bench::report("  Warp Map window opened and painted, places kept",
                  bench::measureOpening(3, window,
                                        [&] {
                                            return std::make_unique<WarpMapWindow>(
                                                f.context, f.navigator, empireId,
                                                *laidOutMap(f.context, empireId, nullptr));
                                        }),
                  300);
    MapView& view = window->view();
    view.fit();
    int step = 0;
    const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Plus, Qt::Key_Minus};
    bench::report("  a frame of panning or zooming, the whole map in sight",
                  bench::measure(40,
                                 [&] {
                                     QKeyEvent key(QEvent::KeyPress, keys[step++ % 4],
                                                   Qt::NoModifier);
                                     QApplication::sendEvent(&view, &key);
                                     view.repaint();
                                 }),
                  16);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    test::AppFixture f;
    test::TestStore& t = f.t;
    t.addEmpire(900, QStringLiteral("Vast Dominion"));
    t.importFixture(QStringLiteral("900.mdb"), 900);
    layOut("Warp map of 900.mdb laid out", t, 900, 2000);
    drawMap(f, 900);
    const QString big = QStringLiteral(VFTURN_BIG_TURN_FILE);
    if (!QFileInfo::exists(big)) {
        std::printf("%s is not there: big.mdb not measured\n", qPrintable(big));
        return 0;
    }
    TurnImporter(t.store(), test::TestStore::readerPath()).importFile(900, big);
    layOut("Warp map of big.mdb laid out (off the window's thread)", t, 900, 60000);
    return 0;
}
