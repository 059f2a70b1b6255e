#include "ReaderStream.h"
#include "TestStore.h"
#include "store/EmpireOrderCheck.h"
#include "store/OrderRepository.h"
#include "store/TurnImports.h"
#include "turndata/RecordsWithOrders.h"
#include "turnimport/TurnImporter.h"

#include <QTest>

using namespace vf;
using namespace vf::test;

namespace {

// A finding as the tests name it: "error 3: <the start of the problem>".
QString brief(const OrderFinding& finding)
{
    static const char* const severities[] = {"error", "warning", "note"};
    return QStringLiteral("%1 %2: %3")
        .arg(QLatin1String(severities[int(finding.severity)]))
        .arg(finding.slot)
        .arg(finding.problem);
}

QStringList briefs(const OrderCheckReport& report)
{
    QStringList all;
    for (const OrderFinding& finding : report.findings)
        all << brief(finding);
    return all;
}

const QString kNoImport =
    QStringLiteral("(no turn results file has been imported for this empire)");

} // namespace

// Check Orders: what would make a stored order fail at the game company, found with the rules
// of order entry over real stored orders and imported turn data.
class TestOrderCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findsWhatWouldFail_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("slots");
        QTest::addColumn<QStringList>("found"); // each finding, its problem's start
        QTest::newRow("a move with every slot empty")
            << "MOVE" << QStringList{}
            << QStringList{"error 1: Fleet # is missing.", "error 3: Warp Point # is missing.",
                           "note 3: You have entered an unusually low Warp Point number"};
        QTest::newRow("a move as entry stores it")
            << "MOVE" << QStringList{"27", "Barnard's Star", "21"} << QStringList{};
        QTest::newRow("a fleet the turn data does not have")
            << "NM" << QStringList{"99", "Sol", "3"}
            << QStringList{"error 1: Fleet # \"99\" is not in the turn data imported on "};
        QTest::newRow("a warp point of another star")
            << "MOVE" << QStringList{"27", "Sol", "21"}
            << QStringList{"error 3: Warp Point # \"21\" is not at Sol in the turn data imported "
                           "on "};
        // A warp point is looked up at the star of slot 2: the star is blamed when it is what
        // is wrong.
        QTest::newRow("a move whose star is empty")
            << "MOVE" << QStringList{"27", " ", "21"}
            << QStringList{"error 2: System Name is missing, and Warp Point # \"21\" is looked "
                           "up at that star."};
        QTest::newRow("a move whose star is unknown")
            << "MOVE" << QStringList{"27", "Barnard Star", "21"}
            << QStringList{"error 2: System Name \"Barnard Star\" is not in the turn data "
                           "imported on "};
        QTest::newRow("a move whose star is in other letter case")
            << "MOVE" << QStringList{"27", "BARNARD'S STAR", "21"} << QStringList{};
        QTest::newRow("an item the empire does not know")
            << "BOMB" << QStringList{"27", "12", "Photon Torpedo", "5"}
            << QStringList{"error 3: Item #1 \"Photon Torpedo\" is not in the turn data"};
        QTest::newRow("an item in other letter case")
            << "BOMB" << QStringList{"27", "12", "missile launcher", "5"} << QStringList{};
        QTest::newRow("a refusal of storing, named once")
            << "BI" << QStringList{"5", "Missile Launcher", " ", "1", "No"}
            << QStringList{"error 3: You have forgotten to enter a Population Group # for an EB"};
        QTest::newRow("a pair: the transfer's second group")
            << "TR" << QStringList{"12"}
            << QStringList{"error 2: You have forgotten to enter a Population Group # for a TR"};
        QTest::newRow("corrections and warnings of storing are notes")
            << "RN" << QStringList{"27", "3", "Corvette", "ALL"}
            << QStringList{"note 4: You have entered the keyword ALL in a Quantity field"};
        QTest::newRow("a code typed in Edit Orders")
            << "MOVEE" << QStringList{"27"}
            << QStringList{"error 0: \"MOVEE\" is not an order code."};
        QTest::newRow("a code in small letters")
            << "nm" << QStringList{"27 Tarsis Patrol", "Sol", "3"}
            << QStringList{"error 0: \"nm\" is not an order code."};
        QTest::newRow("the names of a commander's second pair may stay empty")
            << "NAME" << QStringList{"45", "Iron Admiral"} << QStringList{};
        QTest::newRow("a typed-only code") << "RTL" << QStringList{} << QStringList{};
        // A list of fixed words and the fleets: a word of the list is no fleet number.
        QTest::newRow("decommission ALL") << "DECF" << QStringList{"ALL"} << QStringList{};
        QTest::newRow("decommission HOME") << "DECF" << QStringList{"HOME"} << QStringList{};
        QTest::newRow("decommission a fleet") << "DECF" << QStringList{"27"} << QStringList{};
        QTest::newRow("decommission a fleet no longer there")
            << "DECF" << QStringList{"99"}
            << QStringList{"error 1: Fleet # \"99\" is not in the turn data imported on "};
    }
    void findsWhatWouldFail()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, slots);
        QFETCH(QStringList, found);
        TestStore t;
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        t.importFixture(QStringLiteral("123.mdb"), 123);
        OrderRepository(t.store()).append(123, code, TestStore::slots(slots));
        const OrderCheckReport report = checkEmpireOrders(t.store(), 123);
        const QStringList all = briefs(report);
        QCOMPARE(all.size(), found.size());
        for (qsizetype i = 0; i < found.size(); ++i)
            QVERIFY2(all[i].startsWith(found[i]), qPrintable(all[i]));
        QCOMPARE(report.orders, 1);
        QCOMPARE(report.failingOrders(),
                 found.join(u'|').contains(QStringLiteral("error")) ? 1 : 0);
        for (const OrderFinding& finding : report.findings) {
            QCOMPARE(finding.code, code);
            QCOMPARE(finding.priority, 10);
            QVERIFY(!finding.fix.isEmpty());
        }
    }

    void twoOrdersWithOnePriorityAreAWarning()
    {
        TestStore t;
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        const OrderRepository orders(t.store());
        orders.append(123, QStringLiteral("TREE"), TestStore::slots());
        orders.append(123, QStringLiteral("RTD"), TestStore::slots());
        t.store().run(QStringLiteral("UPDATE Orders SET Priority = 10")); // as Edit Orders does
        const OrderCheckReport report = checkEmpireOrders(t.store(), 123);
        QCOMPARE(briefs(report),
                 QStringList{"warning 0: Priority 10 is also the priority of the TREE order: which "
                             "of the two comes first in the orders file is not fixed."});
        QVERIFY(!report.hasErrors());
    }

    // Orders entered before the latest Update Data name fleets that are gone: the finding says
    // when that import was. Before any import, it says there was none.
    void ordersLeftOverFromAnEarlierImport()
    {
        TestStore t;
        t.addEmpire(900, QStringLiteral("Vast Dominion"));
        const OrderRepository orders(t.store());
        orders.append(900, QStringLiteral("NM"), TestStore::slots({"5", "Sol", "3"}));
        QCOMPARE(briefs(checkEmpireOrders(t.store(), 900)),
                 QStringList{"error 1: Fleet # \"5\" is not in the turn data " + kNoImport + "."});
        t.importFixture(QStringLiteral("900.mdb"), 900);
        QVERIFY(!checkEmpireOrders(t.store(), 900).hasErrors());
        // The next turn's file: fleet 5 is gone.
        const QByteArray nextTurn = readerOutput({{2, {{"I900", "I6", "SOther Fleet"}}}});
        TurnImporter(t.store(), readerWriting(t, nextTurn))
            .importFile(900, TestStore::dataFile(QStringLiteral("123.mdb")));
        const QDateTime imported = lastImportOf(t.store(), 900).when;
        QVERIFY(imported.secsTo(QDateTime::currentDateTime()) < 60);
        QCOMPARE(briefs(checkEmpireOrders(t.store(), 900)),
                 QStringList{QStringLiteral("error 1: Fleet # \"5\" is not in the turn data "
                                            "imported on %1.")
                                 .arg(imported.toString(QStringLiteral("MM-dd-yyyy 'at' hh:mm")))});
    }

    // The records an empire's orders name: the slot an order's code takes that kind of record
    // in, read up to the end of its leading number; another empire's orders are not read.
    void findsTheRecordsTheOrdersName_data()
    {
        QTest::addColumn<int>("empire"); // whose order it is
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("slots");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("named");
        const int fleet = int(RecordKind::Fleet);
        QTest::newRow("a move names its fleet")
            << 123 << "MOVE" << QStringList{"12", "Sol", "3"} << fleet << QList<int>{12};
        QTest::newRow("a warp point's slot names no fleet")
            << 123 << "MOVE" << QStringList{"27", "Barnard's Star", "12"} << fleet
            << QList<int>{27};
        QTest::newRow("an army's slot names no fleet")
            << 123 << "RA" << QStringList{"12"} << fleet << QList<int>{};
        QTest::newRow("an army's slot names its army")
            << 123 << "RA" << QStringList{"7"} << int(RecordKind::Army) << QList<int>{7};
        QTest::newRow("a build names its population group, not its quantity")
            << 123 << "BI" << QStringList{"12", "Missile Launcher", "7"}
            << int(RecordKind::PopulationGroup) << QList<int>{7};
        QTest::newRow("a commander named") << 123 << "NAME" << QStringList{"45", "Iron Admiral"}
                                           << int(RecordKind::Commander) << QList<int>{45};
        QTest::newRow("a number and a name")
            << 123 << "MOVE" << QStringList{"12 Home Guard", "Sol", "3"} << fleet << QList<int>{12};
        QTest::newRow("an empty slot")
            << 123 << "MOVE" << QStringList{" ", "Sol", "3"} << fleet << QList<int>{};
        QTest::newRow("a name alone")
            << 123 << "MOVE" << QStringList{"Home Guard"} << fleet << QList<int>{};
        QTest::newRow("another empire's order")
            << 456 << "MOVE" << QStringList{"12", "Sol", "3"} << fleet << QList<int>{};
    }
    void findsTheRecordsTheOrdersName()
    {
        QFETCH(int, empire);
        QFETCH(QString, code);
        QFETCH(QStringList, slots);
        QFETCH(int, kind);
        QFETCH(QList<int>, named);
        TestStore t;
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        t.addEmpire(456, QStringLiteral("Iron Veil"));
        t.importFixture(QStringLiteral("123.mdb"), 123);
        OrderRepository(t.store()).append(empire, code, TestStore::slots(slots));
        const RecordKind asked = RecordKind(kind);
        QCOMPARE(recordsNamed(OrderRepository(t.store()).ordersOf(123), asked),
                 QSet<int>(named.begin(), named.end()));
        // 123.mdb holds 6 fleets, 3 armies, 4 population groups and 3 commanders.
        QList<RecordsWithoutOrders> expected{{RecordKind::Fleet, 6},
                                             {RecordKind::Army, 3},
                                             {RecordKind::PopulationGroup, 4},
                                             {RecordKind::Commander, 3}};
        expected[kind].count -= int(named.size());
        QCOMPARE(withoutOrders(t.store(), 123), expected);
    }

    // Check Orders' line on the records without an order: the kinds with none left out.
    void tellsTheRecordsWithoutAnOrder_data()
    {
        QTest::addColumn<QList<int>>("counts"); // fleets, armies, population groups, commanders
        QTest::addColumn<QString>("line");
        QTest::newRow("two kinds")
            << QList<int>{2, 1, 0, 0} << "2 fleets, 1 army have no order this turn.";
        QTest::newRow("one record")
            << QList<int>{0, 0, 0, 1} << "1 commander has no order this turn.";
        QTest::newRow("every kind")
            << QList<int>{1, 2, 3, 4}
            << "1 fleet, 2 armies, 3 population groups, 4 commanders have no order this turn.";
        QTest::newRow("none") << QList<int>{0, 0, 0, 0}
                              << "Every fleet, army, population group and commander has an "
                                 "order this turn.";
    }
    void tellsTheRecordsWithoutAnOrder()
    {
        QFETCH(QList<int>, counts);
        QFETCH(QString, line);
        QList<RecordsWithoutOrders> without;
        for (qsizetype kind = 0; kind < counts.size(); ++kind)
            without << RecordsWithoutOrders{kOrderedKinds[kind], counts[kind]};
        QCOMPARE(withoutOrdersLine(without), line);
    }

    void itOnlyReads()
    {
        TestStore t;
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        t.importFixture(QStringLiteral("123.mdb"), 123);
        const OrderRepository orders(t.store());
        orders.append(123, QStringLiteral("RN"), TestStore::slots({"27", "3", "Corvette", "ALL"}));
        orders.append(123, QStringLiteral("BI"), TestStore::slots({"", "x", ""}));
        const QStringList before = t.dump(QStringLiteral("Orders"), QStringLiteral("*"));
        QVERIFY(checkEmpireOrders(t.store(), 123).hasErrors());
        QCOMPARE(t.dump(QStringLiteral("Orders"), QStringLiteral("*")), before);
    }
};

QTEST_GUILESS_MAIN(TestOrderCheck)
#include "tst_ordercheck.moc"
