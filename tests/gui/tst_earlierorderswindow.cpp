#include "MainMenuFixture.h"
#include "earlier/EarlierOrdersWindow.h"
#include "mainmenu/SaveOrdersDialogue.h"
#include "ordersfile/OrdersArchive.h"
#include "store/OrderRepository.h"

#include <QAction>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using namespace vf;
using namespace vf::test;

namespace {

Order order(int priority, const QString& code, const QStringList& values)
{
    return Order{0, priority, code, TestStore::slots(values)};
}

// Three orders kept as saved on the day given, at nine.
QString keepTurn(MainMenuFixture& f, int day, const QList<Order>& orders)
{
    const SavedOrdersHeader header{
        123, QDateTime(QDate(2026, 11, day), QTime(9, 0)), {}, int(orders.size())};
    return OrdersArchive(f.t.path()).keep(header, orders);
}

const QList<Order> kOlder{order(10, QStringLiteral("NM"), {"27", "Sol", "3"}),
                          order(20, QStringLiteral("RTD"), {"1"}),
                          order(30, QStringLiteral("TREE"), {"x"})};
const QList<Order> kNewer{order(10, QStringLiteral("RTD"), {"2"})};

QStringList codesOf(const QList<Order>& orders)
{
    QStringList codes;
    for (const Order& stored : orders)
        codes << stored.code + QLatin1Char(' ') + stored.slots[0];
    return codes;
}

QStringList listed(EarlierOrdersWindow* window)
{
    QStringList rows;
    for (int row = 0; row < window->turns().rowCount(); ++row)
        rows << window->turns().item(row, 0)->text();
    return rows;
}

EarlierOrdersWindow* openWindow(MainMenuFixture& f)
{
    openEarlierOrders(f.context, f.navigator, 123, f.window.get());
    return qobject_cast<EarlierOrdersWindow*>(MainMenuFixture::topLevel("EarlierOrders"));
}

} // namespace

class TestEarlierOrdersWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        if (QWidget* window = MainMenuFixture::topLevel("EarlierOrders"))
            delete window;
    }

    // From the main menu's File menu key to the orders stored, without the mouse: arrows to the
    // older turn, Tab to its orders, a selection by keys, Alt+C.
    void theWindowIsDrivenByKeys_data()
    {
        QTest::addColumn<QString>("select");
        QTest::addColumn<QStringList>("copied");
        QTest::newRow("Ctrl+A") << "all" << QStringList{"NM 27", "RTD 1", "TREE x"};
        QTest::newRow("Down, Shift+Down") << "two" << QStringList{"RTD 1", "TREE x"};
    }
    void theWindowIsDrivenByKeys()
    {
        QFETCH(QString, select);
        QFETCH(QStringList, copied);
        MainMenuFixture f;
        keepTurn(f, 1, kOlder);
        keepTurn(f, 8, kNewer);
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        QTest::keyClick(f.window.get(), Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        QPointer<QWidget> window = MainMenuFixture::topLevel("EarlierOrders");
        QVERIFY(window && window->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), window.data());
        auto* turns = window->findChild<QTableWidget*>(QStringLiteral("EarlierTurns"));
        auto* grid = window->findChild<QTableView*>(QStringLiteral("EarlierOrdersGrid"));
        QCOMPARE(QApplication::focusWidget(), turns);
        QCOMPARE(grid->model()->rowCount(), 1); // the newest shows first
        QTest::keyClick(turns, Qt::Key_Down);
        QCOMPARE(grid->model()->rowCount(), 3);
        QTest::keyClick(turns, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), grid);
        if (select == QLatin1String("all")) {
            QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
        } else {
            QTest::keyClick(grid, Qt::Key_Down);
            QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
        }
        f.dialogs.answerOk();
        QTest::keyClick(grid, Qt::Key_C, Qt::AltModifier); // the button clicks as it shows it
        QTRY_COMPARE(codesOf(OrderRepository(f.t.store()).ordersOf(123)), copied);
        QVERIFY2(f.dialogs.last().request.text.startsWith(
                     QStringLiteral("%1 orders were copied to this turn of Empire # 123, as "
                                    "its first orders: Priorities 10 to %2")
                         .arg(copied.size())
                         .arg(copied.size() * 10)),
                 qPrintable(f.dialogs.last().request.text));
    }

    // Check Orders opens after the copy when a copied order will fail to execute, and only then
    // (an order of this turn failing already does not count).
    void checkOrdersOpensWhenACopiedOrderFails_data()
    {
        QTest::addColumn<QString>("fleet");    // of the copied order
        QTest::addColumn<QString>("fleetNow"); // of an order of this turn
        QTest::addColumn<bool>("opens");
        QTest::newRow("the copy fails") << "99"
                                        << "27" << true;
        QTest::newRow("none fails") << "27"
                                    << "27" << false;
        QTest::newRow("only an order of this turn fails") << "27"
                                                          << "99" << false;
    }
    void checkOrdersOpensWhenACopiedOrderFails()
    {
        QFETCH(QString, fleet);
        QFETCH(QString, fleetNow);
        QFETCH(bool, opens);
        MainMenuFixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        OrderRepository(f.t.store())
            .append(123, QStringLiteral("NM"), TestStore::slots({fleetNow, "Sol", "3"}));
        keepTurn(f, 1, {order(10, QStringLiteral("NM"), {fleet, "Sol", "3"})});
        EarlierOrdersWindow* window = openWindow(f);
        QVERIFY(window);
        window->orders().selectAll();
        f.dialogs.answerOk();
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("CopyToThisTurn")),
                          Qt::LeftButton);
        QCOMPARE(OrderRepository(f.t.store()).count(123), 2);
        QVERIFY(f.dialogs.last().request.text.contains(
            QStringLiteral("after its last order: Priority 20.")));
        QCOMPARE(f.dialogs.last().request.text.contains(QStringLiteral("1 of them will fail")),
                 opens);
        QPointer<QWidget> check = MainMenuFixture::topLevel("CheckOrders");
        QCOMPARE(check && check->isVisible(), opens);
        delete check;
    }

    // A damaged copy is listed as such (a short one at once, one changed within once it has
    // been read whole); the others still show and copy.
    void aDamagedCopyIsToldInTheList_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::newRow("truncated") << QByteArray("\"TREE\",\"x\"") << QByteArray();
        QTest::newRow("garbage bytes")
            << QByteArray("\"RTD\",\"1\"") << QByteArray("\"RTD\",\"\xff\"");
        QTest::newRow("wrong count") << QByteArray("Orders: 3") << QByteArray("Orders: 2");
    }
    void aDamagedCopyIsToldInTheList()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        MainMenuFixture f;
        keepTurn(f, 1, kNewer);
        const QString damaged = keepTurn(f, 8, kOlder);
        keepTurn(f, 15, kNewer);
        QByteArray bytes = TestStore::contentsOf(damaged);
        if (to.isEmpty())
            bytes.truncate(bytes.indexOf(from));
        else
            bytes.replace(from, to);
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        EarlierOrdersWindow* window = openWindow(f);
        QVERIFY(window);
        QTRY_VERIFY(window->checkedWhole());
        QCOMPARE(listed(window),
                 (QStringList{"11-15-2026 at 09:00", "11-08-2026 at 09:00: damaged, cannot be read",
                              "11-01-2026 at 09:00"}));
        auto* copy = window->findChild<QPushButton*>(QStringLiteral("CopyToThisTurn"));
        window->turns().setCurrentCell(1, 0);
        QCOMPARE(window->orders().model()->rowCount(), 0);
        QVERIFY(!copy->isEnabled());
        window->turns().setCurrentCell(2, 0);
        QCOMPARE(window->orders().model()->rowCount(), 1);
        QVERIFY(copy->isEnabled());
        window->orders().selectAll();
        f.dialogs.answerOk();
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("CopyToThisTurn")),
                          Qt::LeftButton);
        QCOMPARE(codesOf(OrderRepository(f.t.store()).ordersOf(123)), QStringList{"RTD 2"});
    }

    // The list follows what the store and the archive hold: Save Orders adds its copy (with the
    // orders it wrote), Clear Orders adds the orders it kept aside, restoring them takes them
    // away.
    void theListFollowsSaveAndClear()
    {
        MainMenuFixture f;
        const OrderRepository orders(f.t.store());
        for (int i = 0; i < 3; ++i) // orders that pass without turn data
            orders.append(123, QStringLiteral("TREE"), TestStore::slots());
        EarlierOrdersWindow* window = openWindow(f);
        QVERIFY(window);
        QCOMPARE(listed(window), QStringList());
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 123);
        QTRY_COMPARE(listed(window), QStringList{"12-07-2026 at 12:00"});
        QCOMPARE(window->orders().model()->rowCount(), 3);
        orders.clear(123, QDateTime(QDate(2026, 12, 8), QTime(8, 30)));
        QTRY_COMPARE(listed(window), (QStringList{"Cleared on 12-08-2026 at 08:30 (not saved)",
                                                  "12-07-2026 at 12:00"}));
        orders.restoreCleared(123);
        QTRY_COMPARE(listed(window), QStringList{"12-07-2026 at 12:00"});
    }
};

QTEST_MAIN(TestEarlierOrdersWindow)
#include "tst_earlierorderswindow.moc"
