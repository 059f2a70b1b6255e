// The warp map over the large files: reading and laying out 900.mdb's 5,000 stars and
// big.mdb's 50,000.

#include "AppFixture.h"
#include "BenchSupport.h"
#include "store/OrderRepository.h"
#include "store/TurnDataRepository.h"
#include "store/TurnImports.h"
#include "turnimport/TurnImporter.h"
#include "warpmap/MapDrawing.h"
#include "warpmap/MapLayout.h"
#include "warpmap/MapView.h"
#include "warpmap/RouteOrders.h"
#include "warpmap/RoutePanel.h"
#include "warpmap/StarPanel.h"
#include "warpmap/WarpMapWindow.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>

#include <algorithm>
#include <iterator>
#include <map>
#include <random>

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

// Frames of panning and zooming by key, the whole map in sight at first.
void measureFrames(MapView& view, const char* what)
{
    view.fit();
    int step = 0;
    const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Up, Qt::Key_Plus, Qt::Key_Minus};
    bench::report(what,
                  bench::measure(40,
                                 [&] {
                                     QKeyEvent key(QEvent::KeyPress, keys[step++ % 4],
                                                   Qt::NoModifier);
                                     QApplication::sendEvent(&view, &key);
                                     view.repaint();
                                 }),
                  16);
}

// A walk of that many jumps from a star, each through a warp point of the star it leaves.
std::vector<RouteJump> walk(const WarpMap& map, std::size_t jumps)
{
    std::multimap<int, const MapWarpPoint*> leaving;
    for (const MapWarpPoint& warp : map.warpPoints)
        if (warp.star != warp.to)
            leaving.emplace(warp.star, &warp);
    std::mt19937 random(20261211);
    for (int start = 0; start < map.stars.size(); ++start) {
        std::vector<RouteJump> path;
        int at = start;
        while (path.size() < jumps) {
            const auto [first, last] = leaving.equal_range(at);
            if (first == last)
                break;
            auto pick = first;
            const auto choices = std::distance(first, last);
            std::advance(pick,
                         std::uniform_int_distribution<std::ptrdiff_t>(0, choices - 1)(random));
            path.push_back({at, pick->second->to, pick->second->id});
            at = pick->second->to;
        }
        if (path.size() == jumps)
            return path;
    }
    return {};
}

// A route planned, a thousand MOVE orders stored and drawn, and Order This Route for twenty
// jumps.
void drawRouteAndMoves(test::AppFixture& f, int empireId, WarpMapWindow& window)
{
    const WarpMap& map = window.map();
    const std::vector<RouteJump> twenty = walk(map, 20);
    const TurnDataRepository data(f.t.store(), empireId);
    const int fleet = *data.fleets().front().number;
    RouteOrders made;
    bench::report("  Order This Route, 20 jumps made and stored",
                  bench::measure(5,
                                 [&] {
                                     made = makeRouteOrders(data, map, twenty, fleet);
                                     storeRouteOrders(f.t.store(), empireId, made);
                                 }),
                  100);
    bench::print("    of it, the orders made (the lists read, the checks run)",
                 bench::measure(5, [&] { made = makeRouteOrders(data, map, twenty, fleet); }));
    if (!made.refused.isEmpty())
        std::printf("  (refused: %s)\n", qPrintable(made.refused));
    // A thousand moves: the twenty jumps fifty times over (each drawn as an arrow of its own).
    QList<OrderRepository::NewOrder> orders;
    for (int copy = 0; copy < 50; ++copy)
        for (const RouteJump& jump : twenty)
            orders.append(
                {QStringLiteral("MOVE"),
                 test::TestStore::slots({QString::number(fleet), map.stars[jump.from].name,
                                         QString::number(jump.warpPointId)})});
    OrderRepository(f.t.store()).appendAll(empireId, orders);
    // The map hears of the orders stored (the notice, then the map's reload).
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::processEvents();
    window.showRoutePanel();
    window.routePanel().from().setText(map.stars[twenty.front().from].name);
    window.routePanel().to().setText(map.stars[twenty.back().to].name);
    std::printf("  %zu moves drawn, %s\n", window.overlay().moves.size(),
                qPrintable(window.routePanel().told().text().left(60)));
    measureFrames(window.view(),
                  "  a frame with the route and the moves drawn, the whole map in sight");
    // Near This Star at three jumps from the route's start, fitted.
    window.showStarNamed(map.stars[twenty.front().from].name);
    window.starPanel().jumpsBox().setValue(3);
    window.starPanel().nearBox().setChecked(true);
    std::printf("  Near This Star, 3 jumps: %lld stars drawn\n",
                static_cast<long long>(std::count(window.overlay().onlyStars.begin(),
                                                  window.overlay().onlyStars.end(), true)));
    measureFrames(window.view(), "  a frame with Near This Star at 3 jumps, the route and moves");
    window.starPanel().nearBox().setChecked(false);
}

// The names of the whole map placed, none over another (a star marked: its neighbours first).
void placeNames(const WarpMap& map)
{
    QImage frame(1000, 700, QImage::Format_ARGB32_Premultiplied);
    const QRectF bounds = mapBounds(map);
    const double scale = std::min(frame.width() / bounds.width(), frame.height() / bounds.height());
    QTransform toScreen;
    toScreen.scale(scale, scale);
    toScreen.translate(-bounds.left(), -bounds.top());
    bench::report("  a frame of the whole map in sight, its names placed",
                  bench::measure(20,
                                 [&] {
                                     frame.fill(Qt::white);
                                     QPainter painter(&frame);
                                     paintMap(painter, map, toScreen, bounds, 0);
                                 }),
                  16);
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
    measureFrames(window->view(), "  a frame of panning or zooming, the whole map in sight");
    placeNames(window->map());
    drawRouteAndMoves(f, empireId, *window);
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
