#include "TestStore.h"
#include "store/EmpireOrderCheck.h"
#include "store/OrderFixes.h"
#include "store/OrderRepository.h"
#include "store/RecordNames.h"
#include "turnimport/TurnImporter.h"

#include <QSqlQuery>
#include <QTest>

using namespace vf;
using namespace vf::test;

namespace {

// What happens to the turn data after the order was stored.
void changeTurnData(TestStore& t, const QString& how)
{
    Store& store = t.store();
    if (how == QLatin1String("next turn")) {
        const QString next = t.fileWith(QStringLiteral("next.mdb"), TestStore::nextTurnOf123());
        TurnImporter(store, TestStore::readerPath()).importFile(123, next);
    } else if (how == QLatin1String("warp point 5 moved, 15 in its place")) {
        store.run(QStringLiteral("UPDATE \"Warp Points\" SET StarName = 'Tarsis' "
                                 "WHERE WarpPointID = 5"));
        store.run(QStringLiteral("INSERT INTO \"Warp Points\" (EmpireID, WarpPointID, StarName, "
                                 "DestinationStarName) VALUES (123, 15, 'Sol', 'VegaB')"));
    } else if (how == QLatin1String("Tarsis renamed Tarsis Prime")) {
        for (const char* table : {"\"System Names\"", "\"Warp Points\""})
            store.run(QStringLiteral("UPDATE %1 SET StarName = 'Tarsis Prime' "
                                     "WHERE StarName = 'Tarsis'")
                          .arg(QLatin1String(table)));
    }
}

std::optional<OrderFinding> findingAt(const Store& store, int slot)
{
    for (const OrderFinding& finding : checkEmpireOrders(store, 123).findings) {
        if (finding.slot == slot)
            return finding;
    }
    return std::nullopt;
}

QStringList allOrders(TestStore& t)
{
    return t.dump(QStringLiteral("Orders"), QStringLiteral("*"));
}

// The fields of the one stored order that differ between two dumps of it.
int fieldsApart(const QStringList& before, const QStringList& after)
{
    if (before.size() != 1 || after.size() != 1)
        return -1;
    const QStringList a = before[0].split(QLatin1Char('|'));
    const QStringList b = after[0].split(QLatin1Char('|'));
    int apart = 0;
    for (qsizetype k = 0; k < std::max(a.size(), b.size()); ++k)
        apart += a.value(k) != b.value(k);
    return apart;
}

} // namespace

// Check Orders' fix of a finding: the choices of the turn data best first, one slot stored,
// undone whole.
class TestOrderFix : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each kind of finding offers the choice the player most likely meant first; picking it
    // stores that one slot of that one order and the finding goes; undoing it puts the order
    // back byte for byte.
    void theFirstChoiceIsTheLikelyOneAndFixesOneSlot_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("value");
        QTest::newRow("fleet renumbered, its name kept")
            << "MOVE" << QStringList{"8", "Sol", "5"} << "next turn" << 1
            << "Fleet # 31 Vanguard (same name)"
            << "31";
        QTest::newRow("fleet missing: by number")
            << "MOVE" << QStringList{" ", "Sol", "5"} << "" << 1 << "Fleet # 3 Scout Wing"
            << "3";
        QTest::newRow("warp point moved: where it led")
            << "MOVE" << QStringList{"12", "Sol", "5"} << "warp point 5 moved, 15 in its place" << 3
            << "Warp Point # 15 to Vega (B) (same destination)"
            << "15";
        QTest::newRow("warp point of another star: the star's, by destination")
            << "MOVE" << QStringList{"12", "Sol", "21"} << "" << 3
            << "Warp Point # 9 to a star not explored yet (?3)"
            << "9";
        QTest::newRow("star renamed: the name holding the old one")
            << "MOVE" << QStringList{"27", "Tarsis", "14"} << "Tarsis renamed Tarsis Prime" << 2
            << "Tarsis Prime"
            << "Tarsis Prime";
        QTest::newRow("star a letter off")
            << "MOVE" << QStringList{"44", "Barnards Star", "21"} << "" << 2 << "Barnard's Star"
            << "Barnard's Star";
        QTest::newRow("item renamed")
            << "BI" << QStringList{"5", "Fuel Tank", "7"} << "next turn" << 2 << "Fuel Cell"
            << "Fuel Cell";
        QTest::newRow("population group missing") << "BI" << QStringList{"5", "Cargo Hold", " "}
                                                  << "" << 3 << "Population Group # 7 Tarsis-3"
                                                  << "7";
    }
    void theFirstChoiceIsTheLikelyOneAndFixesOneSlot()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, values);
        QFETCH(QString, change);
        QFETCH(int, slot);
        QFETCH(QString, label);
        QFETCH(QString, value);
        TestStore t;
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        t.importFixture(QStringLiteral("123.mdb"), 123);
        OrderRepository(t.store()).append(123, code, TestStore::slots(values));
        changeTurnData(t, change);
        const std::optional<OrderFinding> finding = findingAt(t.store(), slot);
        QVERIFY(finding);
        const FixOffer offer = offerFix(t.store(), 123, *finding);
        QVERIFY2(offer.fixes(), qPrintable(offer.none));
        QCOMPARE(offer.slot, slot);
        QCOMPARE(offer.choices.first().label, label);
        QCOMPARE(offer.choices.first().value, value);

        const QStringList before = allOrders(t);
        const SlotChange fixed = changeFor(offer, finding->orderId, offer.choices.first());
        QVERIFY(storeChange(t.store(), fixed));
        const QStringList after = allOrders(t);
        QCOMPARE(fieldsApart(before, after), 1);
        QVERIFY(after[0].contains(QLatin1Char('|') + value + QLatin1Char('|')));
        const std::optional<OrderFinding> left = findingAt(t.store(), slot);
        QVERIFY2(!left || left->problem != finding->problem, qPrintable(left->problem));

        QVERIFY(storeChange(t.store(), fixed.undone()));
        QCOMPARE(allOrders(t), before);
    }

    // A fix is stored only over what the slot held when it was offered: changed while the player
    // picks (by Edit Orders, by another copy of the program) or its order deleted, nothing is
    // written.
    void aFixIsNotStoredOverAChange_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::newRow("slot changed") << "UPDATE Orders SET i1 = '44'";
        QTest::newRow("slot emptied") << "UPDATE Orders SET i1 = NULL";
        QTest::newRow("order deleted") << "DELETE FROM Orders";
    }
    void aFixIsNotStoredOverAChange()
    {
        QFETCH(QString, meanwhile);
        TestStore t;
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        t.importFixture(QStringLiteral("123.mdb"), 123);
        OrderRepository(t.store()).append(123, QStringLiteral("MOVE"),
                                          TestStore::slots({"99", "Sol", "5"}));
        const std::optional<OrderFinding> finding = findingAt(t.store(), 1);
        QVERIFY(finding);
        const FixOffer offer = offerFix(t.store(), 123, *finding);
        t.store().run(meanwhile); // while the player picks
        const QStringList changed = allOrders(t);
        QVERIFY(!storeChange(t.store(), changeFor(offer, finding->orderId, offer.choices.first())));
        QCOMPARE(allOrders(t), changed);
    }

    // Undoing a fix of a slot that held no value at all leaves it without one again.
    void undoingAFixOfAMissingValueLeavesNoValue()
    {
        TestStore t;
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        t.importFixture(QStringLiteral("123.mdb"), 123);
        std::array<QString, kSlotCount> slots = TestStore::slots({"", "Sol", "5"});
        slots[0] = QString();
        OrderRepository(t.store()).append(123, QStringLiteral("MOVE"), slots);
        const QStringList before = allOrders(t);
        QVERIFY(before[0].contains(QStringLiteral("<null>")));
        const std::optional<OrderFinding> finding = findingAt(t.store(), 1);
        QVERIFY(finding);
        const FixOffer offer = offerFix(t.store(), 123, *finding);
        const SlotChange fixed = changeFor(offer, finding->orderId, offer.choices.first());
        QVERIFY(storeChange(t.store(), fixed));
        QVERIFY(storeChange(t.store(), fixed.undone()));
        QCOMPARE(allOrders(t), before);
    }

    // A finding about the order as a whole offers nothing to pick and says why, with what to
    // do instead.
    void aFindingWithoutAFixSaysWhy_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("priority");
        QTest::addColumn<QString>("why");
        QTest::newRow("two orders share a priority") << "NM" << 10 << "the order as a whole";
        QTest::newRow("not an order code") << "QQQQ" << 20 << "the order as a whole";
    }
    void aFindingWithoutAFixSaysWhy()
    {
        QFETCH(QString, code);
        QFETCH(int, priority);
        QFETCH(QString, why);
        TestStore t;
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        t.importFixture(QStringLiteral("123.mdb"), 123);
        const OrderRepository orders(t.store());
        orders.append(123, QStringLiteral("NM"), TestStore::slots({"12", "New Colony"}));
        orders.append(123, code, TestStore::slots({"12", "Other Colony"}));
        t.store().run(QStringLiteral("UPDATE Orders SET Priority = ? WHERE OrderID = "
                                     "(SELECT max(OrderID) FROM Orders)"),
                      {priority});
        const QList<OrderFinding> findings = checkEmpireOrders(t.store(), 123).findings;
        QCOMPARE(findings.size(), 1);
        const FixOffer offer = offerFix(t.store(), 123, findings.first());
        QVERIFY(!offer.fixes());
        QVERIFY2(offer.none.contains(why), qPrintable(offer.none));
        QVERIFY(offer.none.endsWith(findings.first().fix));
    }

    // The names of the records the orders name are kept when an import replaces the turn data,
    // and a database made before they were kept takes them from the turn data it holds when it
    // is opened; names of records the orders do not name are not kept.
    void recordNamesOutliveTheirRecords_data()
    {
        QTest::addColumn<bool>("olderDatabase");
        QTest::newRow("kept by the import") << false;
        QTest::newRow("kept when an older database is opened") << true;
    }
    void recordNamesOutliveTheirRecords()
    {
        QFETCH(bool, olderDatabase);
        TestStore t;
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        t.importFixture(QStringLiteral("123.mdb"), 123);
        OrderRepository(t.store()).append(123, QStringLiteral("MOVE"),
                                          TestStore::slots({"8", "Sol", "5"}));
        std::optional<Store> reopened;
        if (olderDatabase) {
            t.store().run(QStringLiteral("DROP TABLE \"Record Names\""));
            reopened.emplace(t.store().path());
        }
        const RecordNames names(reopened ? *reopened : t.store());
        QCOMPARE(names.namesOf(123, RecordKind::Fleet, {8, 99}),
                 (QHash<int, QString>{{8, "Vanguard"}}));
        changeTurnData(t, QStringLiteral("next turn")); // fleet 8 renumbered 31, 12 renamed
        QCOMPARE(names.namesOf(123, RecordKind::Fleet, {8, 31, 12}),
                 (QHash<int, QString>{{8, "Vanguard"}, {31, "Vanguard"}, {12, "Home Fleet"}}));
        QCOMPARE(names.namesOf(123, RecordKind::WarpPoint, {5, 22}),
                 (QHash<int, QString>{{5, "VegaB"}, {22, "ZB"}})); // where they are now
        QCOMPARE(names.namesOf(123, RecordKind::PopulationGroup, {7}),
                 (QHash<int, QString>{{7, "Tarsis-3"}}));
        QCOMPARE(names.namesOf(456, RecordKind::Fleet, {8}), (QHash<int, QString>{}));
        QSqlQuery kept =
            t.store().run(QStringLiteral("SELECT group_concat(Name, ', ') FROM \"Record Names\""));
        QVERIFY(kept.next());
        // The numbers 8 and 5 of the order, of whatever kind: fleets 5 and 8.
        QCOMPARE(kept.value(0).toString(), QStringLiteral("Ærendel Lancers, Vanguard"));
    }

    void nameDistanceCountsLettersApart_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("distance");
        QTest::newRow("letter case") << "Barnard's Star"
                                     << "barnard's star" << 0;
        QTest::newRow("a letter dropped") << "Barnards Star"
                                          << "Barnard's Star" << 1;
        QTest::newRow("a letter changed") << "Tarsus"
                                          << "Tarsis" << 1;
        QTest::newRow("two letters swapped") << "Vgea"
                                             << "Vega" << 1;
        QTest::newRow("two letters off") << "Kapa Cetti"
                                         << "Kappa Ceti" << 2;
        QTest::newRow("against nothing") << ""
                                         << "Sol" << 3;
        QTest::newRow("nothing alike") << "Sol"
                                       << "Vega" << 4;
        QTest::newRow("non-Latin letters") << "ærendel"
                                           << "Ærendel" << 0;
    }
    void nameDistanceCountsLettersApart()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, distance);
        QCOMPARE(nameDistance(a, b), distance);
        QCOMPARE(nameDistance(b, a), distance);
    }
};

QTEST_GUILESS_MAIN(TestOrderFix)
#include "tst_orderfix.moc"
