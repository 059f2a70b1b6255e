#include "AppFixture.h"
#include "check/CheckOrdersWindow.h"
#include "listing/OrderListingWindow.h"
#include "store/EmpireOrderCheck.h"
#include "store/OrderRepository.h"
#include "turndata/TurnDataWindow.h"
#include "turndata/TurnTableModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <memory>

using namespace vf;
using namespace vf::test;

namespace {

// Empire 123 with the turn data of 123.mdb (fleets 12, 3, 27, 5, 44, 8; armies 2, 7, 11) and
// orders for fleets 12 and 27 and army 7; empire 456 with an order for fleet 3.
struct OrdersOf123 : AppFixture {
    OrdersOf123()
    {
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        t.addEmpire(456, QStringLiteral("Iron Veil"));
        t.importFixture(QStringLiteral("123.mdb"), 123);
        const OrderRepository orders(t.store());
        orders.append(123, QStringLiteral("MOVE"), TestStore::slots({"12 Home Guard", "Sol", "6"}));
        // Through warp point 5: that is no order for fleet 5.
        orders.append(123, QStringLiteral("MOVE"), TestStore::slots({"27", "Sol", "5"}));
        orders.append(123, QStringLiteral("RA"), TestStore::slots({"7"}));
        orders.append(456, QStringLiteral("MOVE"), TestStore::slots({"3", "Vega", "4"}));
    }
};

// The Turn Data window of empire 123, shown and active.
struct TurnDataOf123 : OrdersOf123 {
    std::unique_ptr<TurnDataWindow> window;

    TurnDataOf123()
    {
        window = std::make_unique<TurnDataWindow>(context, navigator, 123);
        window->show();
    }
    // The records' numbers a table lists, in the order shown.
    QStringList numbersIn(int tab) const
    {
        TurnTableModel& table = window->model(tab);
        table.load();
        QStringList numbers;
        for (int row = 0; row < table.rowCount(); ++row)
            numbers << table.cells(row).value(table.table().keyColumn());
        return numbers;
    }
    // The titles the list beside the grid gives the first tables (all: every table).
    QString titles(int count = -1) const
    {
        QStringList all;
        for (int row = 0; row < window->tableList().count() && row != count; ++row)
            all << window->tableList().item(row)->text();
        return all.join(QStringLiteral(", "));
    }
};

} // namespace

// Turn Data's Without Orders, and Check Orders' line on the records without an order.
class TestWithoutOrders : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The check box, by a click or its keys, keeps the fleets, armies, population groups and
    // commanders no order of the empire names; the other tables stay whole.
    void keepsTheRecordsWithoutAnOrder_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("a click") << "click";
        QTest::newRow("Alt+W") << "Alt+W";
        QTest::newRow("Alt+W from the filter box") << "Alt+W in filter";
    }
    void keepsTheRecordsWithoutAnOrder()
    {
        QFETCH(QString, input);
        TurnDataOf123 f;
        TurnDataWindow& data = *f.window;
        QVERIFY(QTest::qWaitForWindowActive(&data));
        QCheckBox& box = data.withoutOrders();
        QCOMPARE(box.accessibleName(), QStringLiteral("Without Orders"));
        QVERIFY(!box.isChecked());
        const QString whole = f.titles();
        QVERIFY2(whole.startsWith(QStringLiteral("Fleets (6), Armies (3), Population Groups (4), "
                                                 "Systems (6), Orbital Locations (9), Warp "
                                                 "Points (6), ")),
                 qPrintable(whole));
        QVERIFY2(whole.contains(QStringLiteral(", Commanders (3), ")), qPrintable(whole));
        const auto toggle = [&] {
            if (input == QLatin1String("click")) {
                QTest::mouseClick(&box, Qt::LeftButton);
            } else {
                QWidget* from = input.endsWith(QLatin1String("in filter"))
                                    ? static_cast<QWidget*>(&data.filter())
                                    : &data.view(0);
                from->setFocus();
                QTest::keyClick(from, Qt::Key_W, Qt::AltModifier);
            }
        };
        toggle();
        QTRY_VERIFY(box.isChecked());
        QCOMPARE(f.numbersIn(0), (QStringList{"3", "5", "44", "8"}));
        QCOMPARE(f.numbersIn(1), (QStringList{"2", "11"}));
        // The other tables are not narrowed.
        QString narrowed = whole;
        narrowed.replace(QStringLiteral("Fleets (6)"), QStringLiteral("Fleets (4 of 6)"))
            .replace(QStringLiteral("Armies (3)"), QStringLiteral("Armies (2 of 3)"))
            .replace(QStringLiteral("Groups (4)"), QStringLiteral("Groups (4 of 4)"))
            .replace(QStringLiteral("Commanders (3)"), QStringLiteral("Commanders (3 of 3)"));
        QTRY_COMPARE(f.titles(), narrowed);
        toggle();
        QTRY_VERIFY(!box.isChecked());
        QCOMPARE(f.numbersIn(0).size(), 6);
        QTRY_COMPARE(f.titles(), whole);
    }

    // The filter's text and Without Orders both narrow the rows.
    void narrowsWithTheFilter()
    {
        TurnDataOf123 f;
        TurnDataWindow& data = *f.window;
        QVERIFY(QTest::qWaitForWindowActive(&data));
        QTest::mouseClick(&data.withoutOrders(), Qt::LeftButton);
        QTest::keyClicks(&data.filter(), QStringLiteral("sol"));
        // Fleets 12 and 8 are at Sol; 12 has an order.
        QCOMPARE(f.numbersIn(0), QStringList{"8"});
        QTRY_COMPARE(f.titles(4),
                     QStringLiteral("Fleets (1 of 6), Armies (0 of 3), Population Groups "
                                    "(1 of 4), Systems (1 of 6)"));
        QTest::mouseClick(&data.withoutOrders(), Qt::LeftButton);
        QCOMPARE(f.numbersIn(0), (QStringList{"12", "8"}));
    }

    // An order stored, changed or deleted while the box is checked: the rows follow.
    void followsTheOrdersStored()
    {
        TurnDataOf123 f;
        TurnDataWindow& data = *f.window;
        QVERIFY(QTest::qWaitForWindowActive(&data));
        QTest::mouseClick(&data.withoutOrders(), Qt::LeftButton);
        const OrderRepository orders(f.t.store());
        orders.append(123, QStringLiteral("DECF"), TestStore::slots({"44"}));
        QTRY_COMPARE(f.numbersIn(0), (QStringList{"3", "5", "8"}));
        QTRY_COMPARE(f.titles(1), QStringLiteral("Fleets (3 of 6)"));
        f.t.store().run(QStringLiteral("UPDATE Orders SET i1 = '5' WHERE i1 = '44'"));
        QTRY_COMPARE(f.numbersIn(0), (QStringList{"3", "44", "8"}));
        orders.clear(123);
        QTRY_COMPARE(f.numbersIn(0).size(), 6);
        QTRY_COMPARE(f.titles(2), QStringLiteral("Fleets (6 of 6), Armies (3 of 3)"));
    }

    // Without Orders comes back checked when the window opens again for the empire (as it does
    // after another import), not for another empire.
    void isKeptForTheEmpire()
    {
        TurnDataOf123 f;
        TurnDataWindow& data = *f.window;
        QVERIFY(QTest::qWaitForWindowActive(&data));
        QTest::mouseClick(&data.withoutOrders(), Qt::LeftButton);
        data.close();

        TurnDataWindow again(f.context, f.navigator, 123);
        QVERIFY(again.withoutOrders().isChecked());
        again.model(0).load();
        QCOMPARE(again.model(0).rowCount(), 4);
        TurnDataWindow other(f.context, f.navigator, 456);
        QVERIFY(!other.withoutOrders().isChecked());
    }

    // Check Orders tells at its top, after the summary, how many records have no order, and
    // tells it anew when the orders change; it is no finding.
    void checkOrdersTellsTheRecordsWithoutAnOrder()
    {
        OrdersOf123 f;
        const OrderRepository orders(f.t.store());
        orders.append(123, QStringLiteral("MOVE"), TestStore::slots({"99"})); // fails
        OrderListingWindow listing(f.context, f.navigator, 123);
        listing.show();
        QVERIFY(QTest::qWaitForWindowActive(&listing));
        QTest::mouseClick(listing.findChild<QPushButton*>(QStringLiteral("CheckOrders")),
                          Qt::LeftButton);
        auto* check = listing.findChild<CheckOrdersWindow*>(QStringLiteral("CheckOrders"));
        QVERIFY(check && check->isVisible());
        auto* summary = check->findChild<QLabel*>(QStringLiteral("Summary"));
        const QStringList lines = summary->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        QVERIFY2(
            lines[0].startsWith(CheckOrdersWindow::summaryOf(checkEmpireOrders(f.t.store(), 123))),
            qPrintable(lines[0]));
        QCOMPARE(lines[1], QStringLiteral("4 fleets, 2 armies, 4 population groups, 3 "
                                          "commanders have no order this turn."));
        orders.append(123, QStringLiteral("BI"), TestStore::slots({"12", "Missile Launcher", "7"}));
        QTRY_COMPARE(summary->text().section(QLatin1Char('\n'), 1),
                     QStringLiteral("4 fleets, 2 armies, 3 population groups, 3 commanders "
                                    "have no order this turn."));
        QVERIFY(summary->text().startsWith(
            CheckOrdersWindow::summaryOf(checkEmpireOrders(f.t.store(), 123))));
        // It is no finding.
        for (int row = 0; row < check->findings().rowCount(); ++row) {
            for (int column = 0; column < check->findings().columnCount(); ++column)
                QVERIFY(!check->findings()
                             .item(row, column)
                             ->text()
                             .contains(QStringLiteral("no order")));
        }
        check->close();
    }
};

QTEST_MAIN(TestWithoutOrders)
#include "tst_withoutorders.moc"
