#include "TestStore.h"
#include "store/OrderRepository.h"
#include "store/TurnDataRepository.h"
#include "warpmap/Route.h"
#include "warpmap/RouteOrders.h"
#include "warpmap/WarpMap.h"

#include <QTest>

#include <algorithm>

using namespace vf;
using namespace vf::test;

Q_DECLARE_METATYPE(vf::RouteOutcome)

namespace {

constexpr int kEmpire = 123;

// The warp map of turn data holding the warp points given, each "star|number|destination" as
// the turn data writes it ("Sol|5|VegaB", "Sol|9|?4").
WarpMap mapOf(TestStore& t, const QStringList& warpPoints)
{
    for (const QString& warpPoint : warpPoints) {
        const QStringList fields = warpPoint.split(QLatin1Char('|'));
        t.store().run(QStringLiteral("INSERT INTO \"Warp Points\" (EmpireID, WarpPointID, "
                                     "StarName, DestinationStarName) VALUES (?, ?, ?, ?)"),
                      {kEmpire, fields[1].toInt(), fields[0], fields[2]});
    }
    return readWarpMap(t.store(), kEmpire);
}

std::vector<bool> avoidedStars(const WarpMap& map, const QStringList& names)
{
    std::vector<bool> avoided(std::size_t(map.stars.size()), false);
    for (const QString& name : names)
        avoided[std::size_t(map.indexOf(name))] = true;
    return avoided;
}

// Each jump leaves where the one before arrived, through a warp point of the star it leaves.
void checkJumpsFollowWarpPoints(const WarpMap& map, const Route& route)
{
    int at = route.from;
    for (const RouteJump& jump : route.jumps) {
        QCOMPARE(jump.from, at);
        const MapWarpPoint used{jump.from, jump.warpPointId, jump.to};
        QVERIFY(std::find(map.warpPoints.begin(), map.warpPoints.end(), used) !=
                map.warpPoints.end());
        at = jump.to;
    }
    QCOMPARE(at, route.jumps.empty() ? route.from : route.to);
}

// What the map's Warp Points table holds for an empire, as the map should know it: the
// explored warp points at and to stars of the map, in the table's order, and how many others.
std::vector<MapWarpPoint> storedWarpPoints(const Store& store, const WarpMap& map, int empireId,
                                           std::size_t& unexplored)
{
    std::vector<MapWarpPoint> explored;
    unexplored = 0;
    store.eachRow(
        QStringLiteral("SELECT WarpPointID, StarName, DestinationStarName FROM "
                       "\"Warp Points\" WHERE EmpireID = ? ORDER BY rowid"),
        {empireId}, [&](const StoredRow& row) {
            const int to = map.indexOf(destinationStar(row.text(2)));
            if (to < 0)
                ++unexplored;
            else
                explored.push_back({map.indexOf(row.text(1).trimmed()), int(row.number(0)), to});
        });
    return explored;
}

} // namespace

// The fewest jumps between two stars, through the warp points the empire knows.
class TestRoute : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findsTheFewestJumps_data()
    {
        QTest::addColumn<QStringList>("warpPoints");
        QTest::addColumn<QStringList>("avoided");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<RouteOutcome>("outcome");
        QTest::addColumn<QString>("text");
        const QStringList road{"Sol|5|VegaB", "Vega|1|SolA", "Vega|9|AltairA", "Altair|4|VegaC",
                               "Altair|2|DenebC"};
        QTest::newRow("a straight road")
            << road << QStringList() << "Sol"
            << "Deneb" << RouteOutcome::Found
            << "3 jumps: Sol → Vega by Warp Point # 5, Vega → Altair by Warp Point # 9, "
               "Altair → Deneb by Warp Point # 2";
        QTest::newRow("one jump") << road << QStringList() << "Sol"
                                  << "Vega" << RouteOutcome::Found
                                  << "1 jump: Sol → Vega by Warp Point # 5";
        QTest::newRow("fewer jumps before lower numbers")
            << road + QStringList{"Sol|12|DenebA"} << QStringList() << "Sol"
            << "Deneb" << RouteOutcome::Found << "1 jump: Sol → Deneb by Warp Point # 12";
        const QStringList twoWays{"Sol|7|VegaA", "Sol|3|AltairA", "Vega|1|DenebA",
                                  "Altair|8|DenebA"};
        QTest::newRow("a tie: the lower first warp point")
            << twoWays << QStringList() << "Sol"
            << "Deneb" << RouteOutcome::Found
            << "2 jumps: Sol → Altair by Warp Point # 3, Altair → Deneb by Warp Point # 8";
        QTest::newRow("a tie: the lower second warp point")
            << QStringList{"Sol|3|AltairA", "Altair|8|DenebA", "Altair|2|DenebB"} << QStringList()
            << "Sol"
            << "Deneb" << RouteOutcome::Found
            << "2 jumps: Sol → Altair by Warp Point # 3, Altair → Deneb by Warp Point # 2";
        QTest::newRow("an avoided star lengthens it")
            << twoWays + QStringList{"Sol|2|RigelA", "Rigel|1|SiriusA", "Sirius|1|DenebB"}
            << QStringList{"Altair", "Vega"} << "Sol"
            << "Deneb" << RouteOutcome::Found
            << "3 jumps: Sol → Rigel by Warp Point # 2, Rigel → Sirius by Warp Point # 1, "
               "Sirius → Deneb by Warp Point # 1";
        QTest::newRow("an avoided star cuts it")
            << road << QStringList{"Altair"} << "Sol"
            << "Deneb" << RouteOutcome::CutByAvoided
            << "No known warp points lead from Sol to Deneb without passing an avoided star";
        QTest::newRow("the destination avoided")
            << road << QStringList{"Deneb"} << "Sol"
            << "Deneb" << RouteOutcome::DestinationAvoided
            << "No known warp points lead from Sol to Deneb: Deneb is an avoided star";
        QTest::newRow("the start avoided")
            << road << QStringList{"Sol"} << "Sol"
            << "Vega" << RouteOutcome::Found << "1 jump: Sol → Vega by Warp Point # 5";
        QTest::newRow("separate groups")
            << road + QStringList{"Kappa Ceti|3|TauA", "Tau|3|Kappa CetiA"} << QStringList()
            << "Sol"
            << "Kappa Ceti" << RouteOutcome::SeparateGroups
            << "No known warp points lead from Sol to Kappa Ceti: they lie in separate groups "
               "of stars";
        QTest::newRow("unexplored warp points never used")
            << QStringList{"Sol|1|?", "Sol|2|?4", "Sol|3|", "Sol|8|AltairA", "Altair|6|VegaA"}
            << QStringList() << "Sol"
            << "Vega" << RouteOutcome::Found
            << "2 jumps: Sol → Altair by Warp Point # 8, Altair → Vega by Warp Point # 6";
        QTest::newRow("a one-way warp point not taken backwards")
            << QStringList{"Vega|5|SolA"} << QStringList() << "Sol"
            << "Vega" << RouteOutcome::OneWayOnly
            << "No known warp points lead from Sol to Vega: some warp points between them lead "
               "the other way only";
        QTest::newRow("a one-way warp point taken forwards")
            << QStringList{"Vega|5|SolA"} << QStringList() << "Vega"
            << "Sol" << RouteOutcome::Found << "1 jump: Vega → Sol by Warp Point # 5";
        QTest::newRow("the long way round a one-way warp point")
            << QStringList{"Vega|5|SolA", "Sol|4|AltairA", "Altair|6|VegaA"} << QStringList()
            << "Sol"
            << "Vega" << RouteOutcome::Found
            << "2 jumps: Sol → Altair by Warp Point # 4, Altair → Vega by Warp Point # 6";
        QTest::newRow("the same star")
            << road << QStringList() << "Vega"
            << "Vega" << RouteOutcome::AlreadyThere << "Vega: already there";
        QTest::newRow("an unknown star")
            << road << QStringList() << "Sol"
            << "Nowhere" << RouteOutcome::UnknownStar << "No route: the map has no such star";
    }
    void findsTheFewestJumps()
    {
        QFETCH(QStringList, warpPoints);
        QFETCH(QStringList, avoided);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(RouteOutcome, outcome);
        QFETCH(QString, text);
        TestStore t;
        const WarpMap map = mapOf(t, warpPoints);
        const Route route =
            findRoute(map, map.indexOf(from), map.indexOf(to), avoidedStars(map, avoided));
        QCOMPARE(route.outcome, outcome);
        QCOMPARE(routeText(map, route), text);
        QCOMPARE(route.jumps.empty(), outcome != RouteOutcome::Found);
        checkJumpsFollowWarpPoints(map, route);
    }

    // One finder answers every search of its map, each as a search of its own would.
    void oneFinderServesManySearches()
    {
        TestStore t;
        const WarpMap map = mapOf(t, {"Sol|5|VegaB", "Vega|9|AltairA", "Altair|2|SolC",
                                      "Vega|3|DenebA", "Deneb|1|AltairB"});
        const RouteFinder finder(map);
        const std::vector<bool> vegaAvoided = avoidedStars(map, {"Vega"});
        for (int from = 0; from < map.stars.size(); ++from) {
            for (int to = 0; to < map.stars.size(); ++to) {
                for (const std::vector<bool>& avoided : {std::vector<bool>(), vegaAvoided}) {
                    const Route once = findRoute(map, from, to, avoided);
                    const Route again = finder.find(from, to, avoided);
                    QCOMPARE(again.outcome, once.outcome);
                    QCOMPARE(again.jumps, once.jumps);
                }
            }
        }
    }

    // Near This Star: the stars a fleet reaches in so many jumps, by its own warp points.
    void findsTheStarsWithinSomeJumps_data()
    {
        QTest::addColumn<QString>("star");
        QTest::addColumn<int>("jumps");
        QTest::addColumn<QStringList>("near");
        QTest::newRow("one jump") << "Sol" << 1 << QStringList{"Sol", "Vega"};
        QTest::newRow("two jumps") << "Sol" << 2 << QStringList{"Altair", "Sol", "Vega"};
        QTest::newRow("all, and no further")
            << "Sol" << 5 << QStringList{"Altair", "Deneb", "Sol", "Vega"};
        QTest::newRow("a one-way warp point leads away only")
            << "Rigel" << 2 << QStringList{"Rigel", "Sol", "Vega"};
        QTest::newRow("no star of the map") << "Nowhere" << 2 << QStringList();
    }
    void findsTheStarsWithinSomeJumps()
    {
        QFETCH(QString, star);
        QFETCH(int, jumps);
        QFETCH(QStringList, near);
        TestStore t;
        // Rigel's warp point leads to Sol; none leads back. Deneb lies beyond Altair.
        const WarpMap map = mapOf(t, {"Sol|5|VegaB", "Vega|1|SolA", "Vega|9|AltairA",
                                      "Altair|2|DenebC", "Rigel|1|SolD", "Sol|7|?"});
        const std::vector<bool> within = RouteFinder(map).within(map.indexOf(star), jumps);
        QStringList found;
        for (std::size_t i = 0; i < within.size(); ++i) {
            if (within[i])
                found << map.stars[qsizetype(i)].name;
        }
        QCOMPARE(found, near);
    }

    // The map of a turn's file knows each explored warp point once, from its star to its
    // destination, and each is a route of one jump; the unexplored ones are its stubs.
    void readsTheWarpPointsOfATurn_data()
    {
        QTest::addColumn<QString>("file");
        for (const char* file : {"123.mdb", "126.mdb", "900.mdb"})
            QTest::newRow(file) << QString::fromLatin1(file);
    }
    void readsTheWarpPointsOfATurn()
    {
        QFETCH(QString, file);
        const int empireId = file.section(QLatin1Char('.'), 0, 0).toInt();
        TestStore t;
        t.importFixture(file, empireId);
        const WarpMap map = readWarpMap(t.store(), empireId);
        std::size_t unexplored = 0;
        QCOMPARE(map.warpPoints, storedWarpPoints(t.store(), map, empireId, unexplored));
        QCOMPARE(map.stubs.size(), unexplored);
        QVERIFY(!map.warpPoints.empty());
        std::vector<MapLink> linked;
        const RouteFinder finder(map);
        for (const MapWarpPoint& warp : map.warpPoints) {
            QVERIFY(warp.star >= 0 && warp.star < map.stars.size());
            QVERIFY(warp.to >= 0 && warp.to < map.stars.size());
            const Route route = finder.find(warp.star, warp.to);
            QCOMPARE(route.jumps.size(), std::size_t(warp.star == warp.to ? 0 : 1));
            if (warp.star != warp.to)
                linked.push_back({std::min(warp.star, warp.to), std::max(warp.star, warp.to)});
        }
        std::sort(linked.begin(), linked.end(), [](const MapLink& a, const MapLink& b) {
            return std::pair(a.from, a.to) < std::pair(b.from, b.to);
        });
        linked.erase(std::unique(linked.begin(), linked.end()), linked.end());
        QCOMPARE(linked, map.links);
    }

    // Order This Route: one MOVE a jump, the fleet, the star it leaves and the warp point, in
    // the route's order after the orders already there, each jump leaving where the one before
    // arrived; a fleet the turn data does not hold stores nothing.
    void storesOneMoveAJump_data()
    {
        QTest::addColumn<int>("jumps"); // how many of the route's jumps are ordered
        QTest::addColumn<bool>("heldFleet");
        QTest::newRow("the whole route") << 0 << true;
        QTest::newRow("the first two jumps") << 2 << true;
        QTest::newRow("a fleet no longer held") << 0 << false;
    }
    void storesOneMoveAJump()
    {
        QFETCH(int, jumps);
        QFETCH(bool, heldFleet);
        static TestStore t; // 900.mdb imported once for the rows
        static const bool imported = (t.importFixture(QStringLiteral("900.mdb"), 900), true);
        QVERIFY(imported);
        t.store().run(QStringLiteral("DELETE FROM Orders"));
        const OrderRepository orders(t.store());
        orders.append(900, QStringLiteral("NM"), TestStore::slots({"1"}));
        const WarpMap map = readWarpMap(t.store(), 900);
        const RouteFinder finder(map);
        Route route;
        for (int to = 1; to < map.stars.size() && route.jumps.size() < 3; ++to)
            route = finder.find(0, to);
        QVERIFY(route.jumps.size() >= 3);
        std::vector<RouteJump> ordered = route.jumps;
        if (jumps > 0)
            ordered.resize(std::size_t(jumps));
        const TurnDataRepository data(t.store(), 900);
        const int fleet = heldFleet ? *data.fleets().front().number : 999999;
        const RouteOrders made = makeRouteOrders(data, map, ordered, fleet);
        if (!heldFleet) {
            QVERIFY2(made.refused.contains(QStringLiteral("Fleet # 999999")),
                     qPrintable(made.refused));
            QCOMPARE(orders.count(900), 1);
            return;
        }
        QVERIFY2(made.refused.isEmpty(), qPrintable(made.refused));
        const QList<int> priorities = storeRouteOrders(t.store(), 900, made);
        const QList<Order> stored = orders.ordersOf(900);
        QCOMPARE(stored.size(), qsizetype(ordered.size()) + 1);
        for (std::size_t i = 0; i < ordered.size(); ++i) {
            const Order& order = stored[qsizetype(i) + 1];
            QCOMPARE(order.priority, 20 + 10 * int(i));
            QCOMPARE(priorities.value(qsizetype(i)), order.priority);
            QCOMPARE(order.code, QStringLiteral("MOVE"));
            QCOMPARE(order.slots[0], QString::number(fleet));
            QCOMPARE(order.slots[1], map.stars[ordered[i].from].name);
            QCOMPARE(order.slots[2], QString::number(ordered[i].warpPointId));
            // The warp point leads where the next jump leaves.
            const MapWarpPoint used{map.indexOf(order.slots[1]), order.slots[2].toInt(),
                                    ordered[i].to};
            QVERIFY(std::find(map.warpPoints.begin(), map.warpPoints.end(), used) !=
                    map.warpPoints.end());
            if (i + 1 < ordered.size())
                QCOMPARE(ordered[i + 1].from, ordered[i].to);
            QCOMPARE(order.slots[3], QStringLiteral(" ")); // blank filled as the form does
        }
    }
};

QTEST_GUILESS_MAIN(TestRoute)
#include "tst_route.moc"
