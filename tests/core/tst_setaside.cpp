#include "TestStore.h"
#include "store/EmpireOrderCheck.h"
#include "store/OrderRepository.h"
#include "store/SetAsideFindings.h"

#include <QTest>

using namespace vf;
using namespace vf::test;

namespace {

// A finding as the tests name it: "<order's key> <slot>: <problem>".
QString brief(const OrderFinding& finding)
{
    return QStringLiteral("%1 %2: %3").arg(finding.orderId).arg(finding.slot).arg(finding.problem);
}

QStringList briefs(const QList<OrderFinding>& findings)
{
    QStringList all;
    for (const OrderFinding& finding : findings)
        all << brief(finding);
    return all;
}

// Two stored orders of empire 123 that fail, each for one fleet not in the turn data (99 and
// 98); the first has a slot left without a value, as an older database leaves it.
void storeTwoFailingOrders(TestStore& t)
{
    t.addEmpire(123, QStringLiteral("Sable Concord"));
    t.importFixture(QStringLiteral("123.mdb"), 123);
    const OrderRepository orders(t.store());
    std::array<QString, kSlotCount> slots = TestStore::slots({"99", "Sol", "3"});
    slots[9] = QString();
    orders.append(123, QStringLiteral("NM"), slots);
    orders.append(123, QStringLiteral("NM"), TestStore::slots({"98", "Sol", "3"}));
}

void deleteOrder(TestStore& t, qint64 orderId)
{
    t.store().run(QStringLiteral("DELETE FROM Orders WHERE OrderID = ?"), {orderId});
}

// What is done to the order of a finding set aside (or to the other one), as Edit Orders,
// Clear Orders, Save Orders and Check Orders do it.
void change(TestStore& t, const OrderFinding& finding, const QString& how)
{
    const OrderRepository orders(t.store());
    const QHash<QString, QString> updates{
        {QStringLiteral("a slot"), QStringLiteral("i3 = '4'")},
        {QStringLiteral("the last slot"), QStringLiteral("i51 = 'x'")},
        {QStringLiteral("the code"), QStringLiteral("OrderCode = 'MOVE'")},
        {QStringLiteral("the priority"), QStringLiteral("Priority = 15")},
        {QStringLiteral("the same values written again"),
         QStringLiteral("i1 = i1, Priority = Priority")}};
    if (updates.contains(how)) {
        t.store().run(QStringLiteral("UPDATE Orders SET %1 WHERE OrderID = ?").arg(updates[how]),
                      {finding.orderId});
    } else if (how == QLatin1String("blank fill")) {
        orders.blankFill(123);
    } else if (how == QLatin1String("the other order")) {
        t.store().run(QStringLiteral("UPDATE Orders SET i3 = '4' WHERE OrderID <> ?"),
                      {finding.orderId});
    } else if (how == QLatin1String("brought back")) {
        SetAsideFindings(t.store()).bringBack(finding);
    } else if (how == QLatin1String("deleted")) {
        deleteOrder(t, finding.orderId);
    } else if (how == QLatin1String("deleted and put back")) {
        const Order order = orders.ordersOf(123).first();
        deleteOrder(t, finding.orderId);
        orders.putBack(123, {order}); // under its own key, free again
    } else if (how == QLatin1String("cleared")) {
        orders.clear(123);
    } else if (how == QLatin1String("cleared and restored")) {
        orders.clear(123);
        orders.restoreCleared(123);
    } else {
        QVERIFY2(how.isEmpty(), qPrintable(how));
    }
}

} // namespace

// Findings of Check Orders set aside by the player: kept in the database while their orders
// stay as they were.
class TestSetAside : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A finding set aside leaves the findings and the counts, and stays aside only while its
    // order is as it was: any change of that order (a blank fill is none), bringing it back,
    // or the order's going returns it or drops it; the row kept for it goes too.
    void aFindingSetAsideStaysAsideWhileItsOrderIsAsItWas_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("aside");
        QTest::addColumn<bool>("back"); // among the findings again
        QTest::newRow("nothing") << "" << true << false;
        QTest::newRow("a slot") << "a slot" << false << true;
        QTest::newRow("the last slot") << "the last slot" << false << true;
        QTest::newRow("the code") << "the code" << false << true;
        QTest::newRow("the priority") << "the priority" << false << true;
        QTest::newRow("the same values written again")
            << "the same values written again" << true << false;
        QTest::newRow("blank fill") << "blank fill" << true << false;
        QTest::newRow("the other order") << "the other order" << true << false;
        QTest::newRow("brought back") << "brought back" << false << true;
        QTest::newRow("deleted") << "deleted" << false << false;
        QTest::newRow("deleted and put back") << "deleted and put back" << false << true;
        QTest::newRow("cleared") << "cleared" << false << false;
        QTest::newRow("cleared and restored") << "cleared and restored" << false << true;
    }
    void aFindingSetAsideStaysAsideWhileItsOrderIsAsItWas()
    {
        QFETCH(QString, how);
        QFETCH(bool, aside);
        QFETCH(bool, back);
        TestStore t;
        storeTwoFailingOrders(t);
        const OrderCheckReport before = checkEmpireOrders(t.store(), 123);
        QCOMPARE(before.failingOrders(), 2);
        const OrderFinding finding = before.findings.first();
        QVERIFY2(finding.problem.startsWith(QStringLiteral("Fleet # \"99\"")),
                 qPrintable(finding.problem));
        SetAsideFindings(t.store()).setAside(finding);
        const OrderCheckReport set = checkEmpireOrders(t.store(), 123);
        QCOMPARE(set.failingOrders(), 1);
        QCOMPARE(briefs(set.findings), briefs(before.findings).mid(1));
        QCOMPARE(briefs(set.setAside), QStringList{brief(finding)});

        change(t, finding, how);
        const OrderCheckReport after = checkEmpireOrders(t.store(), 123);
        QCOMPARE(after.setAside.size(), aside ? 1 : 0);
        QCOMPARE(briefs(after.findings).contains(brief(finding)), back);
        QCOMPARE(t.count(QStringLiteral("Set Aside Findings")), aside ? 1 : 0);
    }

    // Kept in the database: a new start finds it set aside still.
    void aFindingSetAsideIsKeptAcrossAStart()
    {
        TestStore t;
        storeTwoFailingOrders(t);
        SetAsideFindings(t.store()).setAside(checkEmpireOrders(t.store(), 123).findings.first());
        const Store again(t.store().path());
        const OrderCheckReport report = checkEmpireOrders(again, 123);
        QCOMPARE(report.setAside.size(), 1);
        QCOMPARE(report.failingOrders(), 1);
    }

    // A database of an earlier version gets the table and its triggers when it is opened.
    void anEarlierDatabaseGetsTheTable()
    {
        TestStore t;
        storeTwoFailingOrders(t);
        t.store().run(QStringLiteral("DROP TABLE \"Set Aside Findings\""));
        t.store().run(QStringLiteral("DROP TRIGGER \"Set aside findings go with their order\""));
        QCOMPARE(checkEmpireOrders(t.store(), 123).failingOrders(), 2);
        const Store again(t.store().path());
        SetAsideFindings(again).setAside(checkEmpireOrders(again, 123).findings.first());
        QCOMPARE(checkEmpireOrders(again, 123).failingOrders(), 1);
        again.run(QStringLiteral("DELETE FROM Orders"));
        QCOMPARE(SetAsideFindings(again).count(), 0);
    }

    // The finding of an order deleted before it was set aside is not kept.
    void aFindingOfAnOrderGoneIsNotKept()
    {
        TestStore t;
        storeTwoFailingOrders(t);
        const OrderFinding finding = checkEmpireOrders(t.store(), 123).findings.first();
        deleteOrder(t, finding.orderId);
        SetAsideFindings(t.store()).setAside(finding);
        QCOMPARE(SetAsideFindings(t.store()).count(), 0);
    }

    // The print of an order changes with each of its fields, but not when a slot without a value
    // is made blank.
    void theOrdersPrintChangesWithTheOrder_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("same");
        QTest::newRow("the code") << "code"
                                  << "MOVE" << false;
        QTest::newRow("the priority") << "priority"
                                      << "20" << false;
        QTest::newRow("slot 1") << "1"
                                << "98" << false;
        QTest::newRow("slot 51") << "51"
                                 << "x" << false;
        QTest::newRow("a blank after a value") << "1"
                                               << "99 " << false;
        QTest::newRow("an empty slot made blank") << "4"
                                                  << " " << true;
        QTest::newRow("an empty slot made blanks") << "4"
                                                   << "   " << true;
        QTest::newRow("an empty slot the same") << "4"
                                                << "" << true;
    }
    void theOrdersPrintChangesWithTheOrder()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(bool, same);
        Order order;
        order.priority = 10;
        order.code = QStringLiteral("NM");
        order.slots[0] = QStringLiteral("99");
        Order changed = order;
        if (field == QLatin1String("code"))
            changed.code = value;
        else if (field == QLatin1String("priority"))
            changed.priority = value.toInt();
        else
            changed.slots[field.toInt() - 1] = value;
        QCOMPARE(orderPrint(changed) == orderPrint(order), same);
    }
};

QTEST_GUILESS_MAIN(TestSetAside)
#include "tst_setaside.moc"
