#include "TestStore.h"
#include "orders/OrderCheck.h"
#include "store/TurnImports.h"
#include "turndata/TurnChanges.h"
#include "turnimport/TurnImporter.h"
#include "warpmap/MapLayout.h"
#include "warpmap/MapPlaces.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

#include <atomic>

using namespace vf;
using namespace vf::test;

namespace {

QStringList reportOf(const TurnChanges& changes)
{
    QStringList lines;
    for (const TableChanges& table : changes.tables) {
        lines << table.summary();
        for (const QString& line : table.lines)
            lines << QStringLiteral("  ") + line;
    }
    return lines;
}

} // namespace

// The turn data as the player reads it, and what changed between two imports of an empire.
class TestTurnData : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsEveryTableInAPlayersWords()
    {
        TestStore t;
        t.importFixture(QStringLiteral("123.mdb"), 123);
        const TurnSnapshot snapshot = readTurnSnapshot(t.store(), 123);
        QStringList counts;
        for (const TableRows& rows : snapshot)
            counts << QStringLiteral("%1 %2").arg(rows.table->title).arg(rows.rows.size());
        QCOMPARE(counts, (QStringList{"Fleets 6", "Armies 3", "Population Groups 4", "Systems 6",
                                      "Orbital Locations 9", "Warp Points 6", "Items 12",
                                      "Researchable Items 5", "Ship Classes 6", "Installations 6",
                                      "Commanders 3", "Battle Plans 3", "Convoy Routes 2"}));
        // The further fields of the file come after the table's own, as the file holds them.
        const auto headings = [](const TableRows& rows) {
            QStringList all;
            for (const ShownColumn& column : rows.columns)
                all << column.heading + (column.number ? QStringLiteral(" (number)") : QString());
            return all;
        };
        QCOMPARE(headings(snapshot[0]),
                 (QStringList{"Fleet # (number)", "Name", "Location", "Speed (number)"}));
        QCOMPARE(snapshot[0].rows[0], (QStringList{"12", "Home Guard", "Sol", "4"}));
        QCOMPARE(headings(snapshot[6]), (QStringList{"Item", "Mass (number)"}));
        QCOMPARE(snapshot[6].rows[2], (QStringList{"Armor Plate", "25.5"}));
        QCOMPARE(headings(snapshot[3]), QStringList{"System"});
        const TableRows& warpPoints = snapshot[5];
        QCOMPARE(warpPoints.rows[0], (QStringList{"5", "Sol", "Vega (B)"}));
        QCOMPARE(warpPoints.rows[1], (QStringList{"9", "Sol", "unexplored"}));
        QCOMPARE(rowLabel(*warpPoints.table, warpPoints.rows[0]),
                 QStringLiteral("Warp Point # 5 at Sol"));
        QCOMPARE(rowLabel(*snapshot[0].table, snapshot[0].rows[0]),
                 QStringLiteral("Fleet # 12 Home Guard"));
    }

    // The warp map of 123.mdb: its six stars, each link once, the unexplored warp points as
    // stubs; the same places every time, islands apart, kept with their import only.
    void laysOutTheWarpMap()
    {
        TestStore t;
        t.importFixture(QStringLiteral("123.mdb"), 123);
        WarpMap map = readWarpMap(t.store(), 123);
        QStringList stars;
        for (const MapStar& star : map.stars)
            stars << QStringLiteral("%1 %2/%3")
                         .arg(star.name)
                         .arg(star.populationGroups)
                         .arg(star.fleets);
        QCOMPARE(stars, (QStringList{"Barnard's Star 1/1", "Kappa Ceti 0/0", "Sol 1/2",
                                     "Tarsis 1/1", "Vega 1/1", "Ærendel 0/1"}));
        QStringList links;
        for (const MapLink& link : map.links)
            links << map.stars[link.from].name + QStringLiteral("-") + map.stars[link.to].name;
        QCOMPARE(links, (QStringList{"Barnard's Star-Kappa Ceti", "Sol-Tarsis", "Sol-Vega"}));
        QStringList stubs;
        for (const MapStub& stub : map.stubs)
            stubs << QStringLiteral("%1 %2").arg(map.stars[stub.star].name).arg(stub.warpPointId);
        QCOMPARE(stubs, (QStringList{"Sol 9", "Barnard's Star 22"}));
        QCOMPARE(map.indexOf(QStringLiteral("ÆRENDEL")), 5);
        QCOMPARE(map.firstStartingWith(QStringLiteral("ta")), 3);
        QCOMPARE(map.firstStartingWith(QStringLiteral("x")), -1);

        // Laid out the same way every time: where this layout put the stars when it was made.
        QVERIFY(layOutMap(map));
        const QList<QPointF> recorded{{0, 215.8846}, {79.5808, 258.3898}, {77.4944, 78.1194},
                                      {0, 155.8846}, {154.7392, 0},       {139.5808, 215.8846}};
        QList<QPointF> first;
        QList<QPointF> islands[3];
        for (int i = 0; i < map.stars.size(); ++i) {
            QVERIFY2(QLineF(map.stars[i].at, recorded[i]).length() < 0.01,
                     qPrintable(map.stars[i].name));
            first << map.stars[i].at;
        }
        islands[0] = {first[0], first[1]};
        islands[1] = {first[2], first[3], first[4]};
        islands[2] = {first[5]};
        for (int a = 0; a < 3; ++a) {
            for (int b = a + 1; b < 3; ++b)
                QVERIFY(
                    !boundsOf(islands[a]).adjusted(-1, -1, 1, 1).intersects(boundsOf(islands[b])));
        }
        WarpMap stopped = readWarpMap(t.store(), 123);
        const std::atomic_bool stop = true;
        QVERIFY(!layOutMap(stopped, Progress{{}, &stop}));

        const QDateTime imported = lastImportOf(t.store(), 123).when;
        keepPlaces(t.store(), 123, imported, map);
        WarpMap kept = readWarpMap(t.store(), 123);
        QVERIFY(!readKeptPlaces(t.store(), 123, imported.addSecs(1), kept));
        QVERIFY(readKeptPlaces(t.store(), 123, imported, kept));
        for (int i = 0; i < map.stars.size(); ++i)
            QVERIFY(QLineF(kept.stars[i].at, map.stars[i].at).length() < 0.01);
    }

    // One star for each name, however the tables spell it: a system's name, the star a warp
    // point is at and the one it leads to.
    void readsOneStarForEachName_data()
    {
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("warpPointAt");
        QTest::addColumn<QStringList>("stars");
        QTest::newRow("the same name") << "Sol"
                                       << "Sol" << QStringList{"Sol", "Vega"};
        QTest::newRow("a blank after it") << "Sol "
                                          << "Sol" << QStringList{"Sol", "Vega"};
        QTest::newRow("a blank before it") << "Sol"
                                           << " Sol" << QStringList{"Sol", "Vega"};
        QTest::newRow("another letter case") << "SOL"
                                             << "Sol" << QStringList{"SOL", "Vega"};
        QTest::newRow("two names") << "Tarsis"
                                   << "Sol" << QStringList{"Sol", "Tarsis", "Vega"};
    }
    void readsOneStarForEachName()
    {
        QFETCH(QString, system);
        QFETCH(QString, warpPointAt);
        QFETCH(QStringList, stars);
        TestStore t;
        t.store().run(QStringLiteral("INSERT INTO \"System Names\" (EmpireID, StarName) VALUES "
                                     "(123, ?)"),
                      {system});
        t.store().run(QStringLiteral("INSERT INTO \"Warp Points\" (EmpireID, WarpPointID, "
                                     "StarName, DestinationStarName) VALUES (123, 5, ?, 'VegaB')"),
                      {warpPointAt});
        const WarpMap map = readWarpMap(t.store(), 123);
        QStringList names;
        for (const MapStar& star : map.stars)
            names << star.name;
        QCOMPARE(names, stars);
        QCOMPARE(map.links.size(), std::size_t(1));
    }

    void aRowHoldsTextInAnyCell_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("holds");
        QTest::newRow("nothing typed") << "" << true;
        QTest::newRow("other letter case") << "barnard" << true;
        QTest::newRow("a number") << "44" << true;
        QTest::newRow("part of a number") << "4" << true;
        QTest::newRow("a letter outside ASCII") << "ÆREN" << true;
        QTest::newRow("not there") << "Vega" << false;
    }
    void aRowHoldsTextInAnyCell()
    {
        QFETCH(QString, text);
        QFETCH(bool, holds);
        QCOMPARE(rowHolds({"44", "O'Brien's Raiders", "Barnard's Star Ærendel"}, text), holds);
    }

    // A heading clicked sorts numbers as numbers, whole or not (an item's mass of 2.5 between 2
    // and 10, an empty cell first), names as a player sorts them; equal cells keep their order.
    void sortsByAColumn_data()
    {
        QTest::addColumn<bool>("number");
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QStringList>("sorted");
        const QStringList masses{"10", "2.5", "", "2", "-1", "2"};
        QTest::newRow("numbers, rising") << true << int(Qt::AscendingOrder) << masses
                                         << QStringList{"", "-1", "2", "2", "2.5", "10"};
        QTest::newRow("numbers, falling") << true << int(Qt::DescendingOrder) << masses
                                          << QStringList{"10", "2.5", "2", "2", "-1", ""};
        QTest::newRow("names, letter case aside")
            << false << int(Qt::AscendingOrder) << QStringList{"vega", "Barnard's Star", "Sol"}
            << QStringList{"Barnard's Star", "Sol", "vega"};
        QTest::newRow("numbers read as names")
            << false << int(Qt::AscendingOrder) << QStringList{"10", "9", "2.5"}
            << QStringList{"10", "2.5", "9"};
    }
    void sortsByAColumn()
    {
        QFETCH(bool, number);
        QFETCH(int, order);
        QFETCH(QStringList, cells);
        QFETCH(QStringList, sorted);
        TableRows rows{
            &shownTables()[6], {{QStringLiteral("Mass"), QStringLiteral("Mass"), number}}, {}};
        std::vector<int> shown;
        for (const QString& cell : cells) {
            shown.push_back(int(rows.rows.size()));
            rows.rows.push_back({cell, QString::number(rows.rows.size())});
        }
        sortRows(shown, rows, 0, Qt::SortOrder(order));
        QStringList result;
        QStringList positions;
        for (const int row : shown) {
            result << rows.rows[std::size_t(row)][0];
            positions << rows.rows[std::size_t(row)][1];
        }
        QCOMPARE(result, sorted);
        // Equal cells in the order they came (the two 2s: rows 3 and 5).
        if (number)
            QVERIFY(positions.indexOf(QStringLiteral("3")) <
                    positions.indexOf(QStringLiteral("5")));
    }

    // "New Order…" on a record offers the codes whose pick-lists offer that kind of record.
    void newOrdersFromARecord_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("use"); // "slot N" or "slot N after the star in slot M"
        QTest::newRow("a fleet moves") << int(RecordKind::Fleet) << "MOVE"
                                       << "slot 1";
        QTest::newRow("a fleet is decommissioned") << int(RecordKind::Fleet) << "DECF"
                                                   << "slot 1";
        QTest::newRow("a warp point is moved through") << int(RecordKind::WarpPoint) << "MOVE"
                                                       << "slot 3 after the star in slot 2";
        QTest::newRow("an army") << int(RecordKind::Army) << "RA"
                                 << "slot 1";
        QTest::newRow("no fleet in a message") << int(RecordKind::Fleet) << "MESS"
                                               << "";
    }
    void newOrdersFromARecord()
    {
        QFETCH(int, kind);
        QFETCH(QString, code);
        QFETCH(QString, use);
        QString found;
        for (const SlotUse& slot : slotsTaking(RecordKind(kind))) {
            if (slot.code == code)
                found = QStringLiteral("slot %1").arg(slot.slot) +
                        (slot.starSlot > 0
                             ? QStringLiteral(" after the star in slot %1").arg(slot.starSlot)
                             : QString());
        }
        QCOMPARE(found, use);
    }

    // Fleets as two imports stored them: what changed, told in words, counted once.
    void tellsWhatChangedInARow_data()
    {
        // Fleets split by ";", each "number:name|further fields" as "Speed=4" (no number: 12).
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("told");
        QTest::newRow("nothing") << "Home Guard|Speed=4"
                                 << "Home Guard|Speed=4" << QStringList{"Fleets: no change"};
        QTest::newRow("renamed") << "Home Guard|"
                                 << "Home Fleet|"
                                 << QStringList{
                                        "Fleets: 1 changed",
                                        "Fleet # 12: renamed from Home Guard to Home Fleet"};
        QTest::newRow("a letter's case")
            << "Home Guard|"
            << "home guard|"
            << QStringList{"Fleets: 1 changed", "Fleet # 12: renamed from Home Guard to "
                                                "home guard"};
        QTest::newRow("a further field")
            << "Home Guard|Speed=4"
            << "Home Guard|Speed=6" << QStringList{"Fleets: 1 changed", "Fleet # 12: speed 4 → 6"};
        // A field the earlier import did not keep is no change: the row is not counted.
        QTest::newRow("a field kept only now")
            << "Home Guard|"
            << "Home Guard|Speed=6" << QStringList{"Fleets: no change"};
        // A fleet gone and a fleet new of one name are one fleet renumbered.
        QTest::newRow("renumbered")
            << "12:Keth'ra Watch|"
            << "13:Keth'ra Watch|"
            << QStringList{"Fleets: 1 changed",
                           "Fleet # 12 Keth'ra Watch: renumbered 13 (same name)"};
        QTest::newRow("renumbered beside one gone")
            << "12:Watch|;14:Guard|"
            << "13:Watch|"
            << QStringList{"Fleets: 1 gone, 1 changed",
                           "Fleet # 12 Watch: renumbered 13 (same name)", "Fleet # 14 Guard: gone"};
        QTest::newRow("another name is no renumbering")
            << "12:Watch|"
            << "13:Guard|"
            << QStringList{"Fleets: 1 new, 1 gone", "Fleet # 12 Watch: gone",
                           "Fleet # 13 Guard: new"};
        QTest::newRow("two of one name, one renumbered")
            << "12:Watch|;14:Watch|"
            << "15:Watch|"
            << QStringList{"Fleets: 1 gone, 1 changed",
                           "Fleet # 12 Watch: renumbered 15 (same name)", "Fleet # 14 Watch: gone"};
        QTest::newRow("no name is no clue")
            << "12:|"
            << "13:|"
            << QStringList{"Fleets: 1 new, 1 gone", "Fleet # 12: gone", "Fleet # 13: new"};
    }
    void tellsWhatChangedInARow()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QStringList, told);
        const auto store = [](TestStore& t, const QString& fleets) {
            for (const QString& fleet : fleets.split(QLatin1Char(';'))) {
                const QString numbered = fleet.section(QLatin1Char('|'), 0, 0);
                const bool hasNumber = numbered.contains(QLatin1Char(':'));
                const int number =
                    hasNumber ? numbered.section(QLatin1Char(':'), 0, 0).toInt() : 12;
                const QString name = hasNumber ? numbered.section(QLatin1Char(':'), 1) : numbered;
                const QString further = fleet.section(QLatin1Char('|'), 1);
                keepFurtherFields(t.store(), 123, QStringLiteral("Fleets"),
                                  further.isEmpty()
                                      ? QStringList()
                                      : QStringList{further.section(QLatin1Char('='), 0, 0)});
                t.store().run(
                    QStringLiteral("INSERT INTO Fleets (EmpireID, FleetID, FleetName, More) "
                                   "VALUES (123, ?, ?, ?)"),
                    {number, name,
                     further.isEmpty() ? QVariant() : further.section(QLatin1Char('='), 1)});
            }
        };
        TestStore earlier;
        TestStore now;
        store(earlier, before);
        store(now, after);
        const TableChanges fleets = StoredTurn(earlier.store(), 123).changesTo(now.store(), 123)[0];
        QCOMPARE(QStringList{fleets.summary()} + fleets.lines, told);
    }

    void tellsWhatChangedSinceTheLastImport()
    {
        TestStore t;
        const QString next = t.fileWith(QStringLiteral("123.mdb"), TestStore::nextTurnOf123());
        TurnImporter(t.store(), TestStore::readerPath()).importFile(123, next);
        const QDateTime first(QDate(2026, 12, 2), QTime(9, 30));
        const TurnChanges changes =
            changesSince(t.store(), 123, TestStore::readerPath(),
                         TestStore::dataFile(QStringLiteral("123.mdb")), first);
        QCOMPARE(changes.before, first);
        QCOMPARE(changes.after, lastImportOf(t.store(), 123).when);
        QCOMPARE(lastImportOf(t.store(), 123).file, QStringLiteral("123.mdb"));
        QCOMPARE(
            reportOf(changes),
            (QStringList{"Fleets: 2 changed", "  Fleet # 8 Vanguard: renumbered 31 (same name)",
                         "  Fleet # 12: renamed from Home Guard to Home Fleet",
                         "  Fleet # 12: speed 4 → 6", "Armies: no change",
                         "Population Groups: no change", "Systems: no change",
                         "Orbital Locations: no change", "Warp Points: 1 changed",
                         "  Warp Point # 22 at Barnard's Star now leads to Z (B), was "
                         "unexplored",
                         "Items: 1 new, 1 gone", "  1 new: Fuel Cell", "  1 gone: Fuel Tank",
                         "Researchable Items: no change", "Ship Classes: no change",
                         "Installations: no change", "Commanders: no change",
                         "Battle Plans: no change", "Convoy Routes: no change"}));
        QCOMPARE(changes.total(), 5); // a fleet renumbered is one change
    }
};

QTEST_GUILESS_MAIN(TestTurnData)
#include "tst_turndata.moc"
