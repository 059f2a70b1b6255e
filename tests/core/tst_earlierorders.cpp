#include "Error.h"
#include "TestStore.h"
#include "earlier/EarlierOrders.h"
#include "ordersfile/OrdersArchive.h"
#include "store/OrderRepository.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTest>

using namespace vf;
using namespace vf::test;

namespace {

// An order whose slots hold what a text file mangles most easily.
Order oddOrder(int priority, const QString& code, const QStringList& values)
{
    Order order{0, priority, code, TestStore::slots(values)};
    order.slots[40] = QStringLiteral(""); // zero-length
    order.slots[41] = QString();          // no value at all
    order.slots[42] = QStringLiteral("  two blanks \"quoted\", a comma\tand a tab\r\nnext line");
    order.slots[43] = QStringLiteral("Kéth'ra – ✓ \\ {[ ]}");
    return order;
}

QString keep(TestStore& t, int empireId, const QDateTime& saved, const QList<Order>& orders)
{
    const SavedOrdersHeader header{empireId, saved, {}, int(orders.size())};
    return OrdersArchive(t.path()).keep(header, orders);
}

// Equal codes and slots, byte for byte, a missing value apart from a zero-length one.
bool sameOrders(const QList<Order>& a, const QList<Order>& b)
{
    const auto same = [](const QString& x, const QString& y) {
        return x == y && x.isNull() == y.isNull();
    };
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (!same(a[i].code, b[i].code))
            return false;
        for (int k = 0; k < kSlotCount; ++k) {
            if (!same(a[i].slots[k], b[i].slots[k]))
                return false;
        }
    }
    return true;
}

QList<int> prioritiesOf(const QList<Order>& orders)
{
    QList<int> priorities;
    for (const Order& order : orders)
        priorities << order.priority;
    return priorities;
}

// The copy written again with its length and checksum made to fit what it now holds, as a
// faulty writer would leave it: only what it says of itself can tell it is wrong.
QByteArray resealed(const QByteArray& bytes)
{
    const qsizetype bodyAt = bytes.indexOf("\n\n") + 2;
    const QByteArray body = bytes.mid(bodyAt);
    const qsizetype lengthAt = bytes.indexOf("Bytes: ");
    const QByteArray fields =
        bytes.left(lengthAt) + "Bytes: " + QByteArray::number(body.size()) + '\n';
    QCryptographicHash hash(QCryptographicHash::Blake2b_256);
    hash.addData(fields);
    hash.addData(body);
    return fields + "Checksum: " + hash.result().toHex() + "\n\n" + body;
}

} // namespace

class TestEarlierOrders : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Two saved turns copied one after the other: each set after the highest priority of the
    // moment, 10 apart, in its old sequence, whatever its old priorities; slots as they were.
    void copyingTwoSavedTurnsOneAfterTheOther_data()
    {
        QTest::addColumn<QList<int>>("now"); // priorities of this turn's orders before
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("no orders yet") << QList<int>{} << QList<int>{10, 20, 30, 40, 50};
        QTest::newRow("orders up to 35") << QList<int>{35, 5} << QList<int>{45, 55, 65, 75, 85};
        QTest::newRow("negative priorities") << QList<int>{-40} << QList<int>{-30, -20, -10, 0, 10};
    }
    void copyingTwoSavedTurnsOneAfterTheOther()
    {
        QFETCH(QList<int>, now);
        QFETCH(QList<int>, expected);
        TestStore t;
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        const OrderRepository repository(t.store());
        for (int priority : now)
            t.store().run(QStringLiteral("INSERT INTO Orders (EmpireID, Priority, OrderCode) "
                                         "VALUES (123, ?, 'RTD')"),
                          {priority});
        // Old priorities out of step with their sequence in the file: the sequence counts.
        const QList<Order> first{oddOrder(500, QStringLiteral("MOVE"), {"12", "Sol", "22"}),
                                 oddOrder(20, QStringLiteral("NM"), {"27", "Sol", "3"}),
                                 oddOrder(20, QStringLiteral("RTD"), {})};
        const QList<Order> second{oddOrder(7, QStringLiteral("BOMB"), {"3", "Laser"}),
                                  oddOrder(9, QStringLiteral("TREE"), {"x"})};
        keep(t, 123, QDateTime(QDate(2026, 11, 1), QTime(9, 0)), first);
        keep(t, 123, QDateTime(QDate(2026, 11, 8), QTime(9, 0)), second);
        const QList<EarlierTurn> turns = earlierTurns(t.store(), t.path(), 123);
        QCOMPARE(turns.size(), 2);
        QCOMPARE(turns[0].when.date(), QDate(2026, 11, 8)); // newest first
        QCOMPARE(turns[1].orders, 3);
        const QList<Order> older = ordersOf(t.store(), turns[1], 123);
        QVERIFY(sameOrders(older, first));
        QCOMPARE(prioritiesOf(older), (QList<int>{500, 20, 20}));

        const CopiedOrders a = copyToThisTurn(t.store(), 123, older);
        const CopiedOrders b = copyToThisTurn(t.store(), 123, ordersOf(t.store(), turns[0], 123));
        QCOMPARE(prioritiesOf(a.stored) + prioritiesOf(b.stored), expected);
        const QList<Order> stored = repository.ordersOf(123);
        QCOMPARE(stored.size(), now.size() + 5);
        QVERIFY(sameOrders(stored.mid(now.size()), first + second));
    }

    // A damaged copy is found (at once when its length is short, else when it is read whole),
    // cannot be read, and leaves the others readable.
    void aDamagedCopyIsToldAndTheOthersRead_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("foundAtOnce");
        QTest::addColumn<QString>("why");
        QTest::newRow("truncated") << "truncated" << true << "it is cut short";
        QTest::newRow("garbage bytes") << "garbage" << false << "checksum does not match";
        QTest::newRow("count edited") << "count" << false << "checksum does not match";
        QTest::newRow("an order lost, resealed") << "lost" << false << "says it holds 3 orders";
        QTest::newRow("an order mangled, resealed") << "mangled" << false << "order 2 cannot";
        QTest::newRow("empty file") << "empty" << true << "not a copy of saved orders";
        QTest::newRow("more bytes") << "longer" << false << "holds more than was written";
    }
    void aDamagedCopyIsToldAndTheOthersRead()
    {
        QFETCH(QString, damage);
        QFETCH(bool, foundAtOnce);
        QFETCH(QString, why);
        TestStore t;
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        const QList<Order> orders{oddOrder(10, QStringLiteral("MOVE"), {"12", "Sol", "22"}),
                                  oddOrder(20, QStringLiteral("NM"), {"27", "Sol", "3"}),
                                  oddOrder(30, QStringLiteral("RTD"), {})};
        keep(t, 123, QDateTime(QDate(2026, 11, 1), QTime(9, 0)), orders);
        const QString path = keep(t, 123, QDateTime(QDate(2026, 11, 8), QTime(9, 0)), orders);
        keep(t, 123, QDateTime(QDate(2026, 11, 15), QTime(9, 0)), orders);
        QByteArray bytes = TestStore::contentsOf(path);
        const qsizetype body = bytes.indexOf("\n\n") + 2;
        if (damage == QLatin1String("truncated"))
            bytes.chop(40);
        else if (damage == QLatin1String("garbage"))
            bytes.replace(body + 30, 8, QByteArray(8, '\xff'));
        else if (damage == QLatin1String("count"))
            bytes.replace("Orders: 3", "Orders: 4");
        else if (damage == QLatin1String("lost"))
            bytes = resealed(bytes.left(bytes.lastIndexOf('\n', bytes.size() - 2) + 1));
        else if (damage == QLatin1String("mangled"))
            bytes = resealed(bytes.replace("\n[20,\"NM\"", "\n[20,\"NM"));
        else if (damage == QLatin1String("empty"))
            bytes.clear();
        else
            bytes += "[40]\n";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();

        const QList<EarlierTurn> turns = earlierTurns(t.store(), t.path(), 123);
        QCOMPARE(turns.size(), 3);
        QCOMPARE(turns[1].kind == EarlierTurn::Kind::Damaged, foundAtOnce);
        const QString told = OrdersArchive::damageOf(path);
        QVERIFY2(told.contains(why), qPrintable(told));
        QVERIFY_THROWS_EXCEPTION(Error, ordersOf(t.store(), turns[1], 123));
        for (int other : {0, 2}) {
            QVERIFY(OrdersArchive::damageOf(turns[other].path).isEmpty());
            QVERIFY(sameOrders(ordersOf(t.store(), turns[other], 123), orders));
        }
        QCOMPARE(copyToThisTurn(t.store(), 123, orders).stored.size(), 3);
    }

    // The orders Clear Orders kept aside are listed as such, with when they were cleared, and
    // copied as they were; once restored (or never kept) they are not listed.
    void clearedOrdersAreListedAndCopied_data()
    {
        QTest::addColumn<QDateTime>("clearedAt");
        QTest::addColumn<bool>("restored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("cleared") << QDateTime(QDate(2026, 12, 7), QTime(12, 0)) << false
                                 << "Cleared on 12-07-2026 at 12:00 (not saved)";
        QTest::newRow("cleared by an earlier version")
            << QDateTime() << false << "Cleared on an unknown date (not saved)";
        QTest::newRow("restored since")
            << QDateTime(QDate(2026, 12, 7), QTime(12, 0)) << true << "";
    }
    void clearedOrdersAreListedAndCopied()
    {
        QFETCH(QDateTime, clearedAt);
        QFETCH(bool, restored);
        QFETCH(QString, shown);
        TestStore t;
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        const OrderRepository repository(t.store());
        const QList<Order> orders{oddOrder(10, QStringLiteral("MOVE"), {"12", "Sol", "22"}),
                                  oddOrder(20, QStringLiteral("RTD"), {})};
        repository.appendCopies(123, orders);
        keep(t, 123, QDateTime(QDate(2026, 12, 1), QTime(9, 0)), orders.mid(0, 1));
        repository.clear(123, clearedAt);
        if (restored)
            repository.restoreCleared(123);
        const QList<EarlierTurn> turns = earlierTurns(t.store(), t.path(), 123);
        QCOMPARE(turns.size(), restored ? 1 : 2);
        if (restored) {
            QCOMPARE(turns[0].kind, EarlierTurn::Kind::Saved);
            return;
        }
        QCOMPARE(turns[0].shownWhen(), shown);
        QCOMPARE(turns[0].orders, 2);
        const QList<Order> cleared = ordersOf(t.store(), turns[0], 123);
        QVERIFY(sameOrders(cleared, orders));
        QCOMPARE(prioritiesOf(copyToThisTurn(t.store(), 123, cleared).stored),
                 (QList<int>{10, 20}));
        QCOMPARE(repository.clearedCount(123), 2); // copying leaves them kept aside
    }
};

QTEST_GUILESS_MAIN(TestEarlierOrders)
#include "tst_earlierorders.moc"
