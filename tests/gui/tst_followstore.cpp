#include "AppWindowsFixture.h"
#include "check/CheckOrdersWindow.h"
#include "check/SetAsideDialog.h"
#include "common/ProgramKeys.h"
#include "listing/OrderListingWindow.h"
#include "orderentry/OrderEntryWindow.h"
#include "orderentry/WidgetOrderForm.h"
#include "store/EmpireOrderCheck.h"
#include "store/OrderRepository.h"
#include "store/SetAsideFindings.h"
#include "store/Store.h"
#include "turndata/TurnDataWindow.h"
#include "turndata/TurnTableModel.h"
#include "turndata/WhatChangedWindow.h"
#include "turnimport/TurnImporter.h"
#include "warpmap/WarpMapWindow.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <thread>

using namespace vf;
using namespace vf::test;

namespace {

// The next turn of empire 123 imported as Update Data imports it: on a thread of its own,
// over a connection of its own.
void importNextTurnElsewhere(TestStore& t)
{
    const QString next = t.fileWith(QStringLiteral("next.mdb"), TestStore::nextTurnOf123());
    std::thread importing([&] {
        const Store store(t.store().path());
        TurnImporter(store, TestStore::readerPath()).importFile(123, next);
    });
    importing.join();
}

// The fleet numbers a Turn Data window lists.
QStringList fleetsIn(TurnDataWindow& window)
{
    TurnTableModel& fleets = window.model(0);
    fleets.load();
    QStringList numbers;
    for (int row = 0; row < fleets.rowCount(); ++row)
        numbers << fleets.cells(row).value(fleets.table().keyColumn());
    return numbers;
}

// The middle of a finding's row, where the player points at it.
QPoint rowPlace(QTableWidget& table, int row)
{
    return table.visualItemRect(table.item(row, 0)).center();
}

// Takes the finding's menu, once it is open, by its key: A, Set Aside.
void takeSetAsideFromTheMenu()
{
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->objectName(), QStringLiteral("FindingMenu"));
        QTest::keyClick(menu, Qt::Key_A);
    });
}

// Sets the second finding aside as the player does it: picked with the mouse, or with the
// arrow key, then the Set Aside button or the finding's menu (the right mouse button, Shift+F10,
// the Menu key, which the system delivers as the menu's event).
void setAsideTheSecond(CheckOrdersWindow& check, const QString& way)
{
    QTableWidget& table = check.findings();
    if (way == QLatin1String("right mouse button")) {
        QTest::mouseClick(table.viewport(), Qt::RightButton, {}, rowPlace(table, 1));
        takeSetAsideFromTheMenu();
        QContextMenuEvent event(QContextMenuEvent::Mouse, rowPlace(table, 1),
                                table.viewport()->mapToGlobal(rowPlace(table, 1)));
        QApplication::sendEvent(table.viewport(), &event);
        return;
    }
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, rowPlace(table, 0));
    QTest::keyClick(&table, Qt::Key_Down);
    if (way == QLatin1String("button")) {
        QTest::mouseClick(check.findChild<QPushButton*>(QStringLiteral("SetAside")),
                          Qt::LeftButton);
    } else if (way == QLatin1String("Alt+A")) {
        QTest::keyClick(&table, Qt::Key_A, Qt::AltModifier);
    } else if (way == QLatin1String("Shift+F10")) {
        takeSetAsideFromTheMenu();
        QTest::keyClick(&table, Qt::Key_F10, Qt::ShiftModifier);
    } else {
        takeSetAsideFromTheMenu();
        const QPoint at = table.viewport()->mapTo(&table, rowPlace(table, 1));
        QContextMenuEvent event(QContextMenuEvent::Keyboard, at, table.mapToGlobal(at));
        QApplication::sendEvent(&table, &event);
    }
}

} // namespace

// Every window that shows what the store holds follows it, and the program's keys work alike
// in each.
class TestFollowStore : public QObject {
    Q_OBJECT
    using Fixture = AppWindowsFixture;

private Q_SLOTS:
    // Turn Data open across an import shows the new turn (its title, its rows) where it was,
    // and a new order from a record the new turn does not hold is refused with a line.
    void turnDataFollowsAnImport()
    {
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        f.windows->openTurnData(123);
        TurnDataWindow* before = f.windows->turnData();
        QVERIFY(QTest::qWaitForWindowExposed(before));
        QVERIFY(fleetsIn(*before).contains(QStringLiteral("8")));
        const QRect place = before->geometry();
        importNextTurnElsewhere(f.t);
        QTRY_VERIFY(f.windows->turnData() != before);
        TurnDataWindow& after = *f.windows->turnData();
        QVERIFY(after.isVisible());
        QCOMPARE(after.geometry(), place);
        QVERIFY2(after.windowTitle().endsWith(QStringLiteral(" from next.mdb")),
                 qPrintable(after.windowTitle()));
        QVERIFY(!fleetsIn(after).contains(QStringLiteral("8")));
        QVERIFY(fleetsIn(after).contains(QStringLiteral("31")));

        // Fleet # 8, as the window before still listed it: gone.
        f.dialogs.answerOk();
        f.windows->startOrder(123, {QStringLiteral("MOVE"), 1, 8, 0, QString(), RecordKind::Fleet});
        QCOMPARE(f.dialogs.last().request.text,
                 QStringLiteral("Fleet # 8 is not in the turn data of Empire # 123 any more: no "
                                "order was begun."));
        QVERIFY(!f.windows->orderEntry());
        f.windows->startOrder(123,
                              {QStringLiteral("MOVE"), 1, 31, 0, QString(), RecordKind::Fleet});
        QVERIFY(f.windows->orderEntry() && f.windows->orderEntry()->isVisible());
        QCOMPARE(f.windows->orderEntry()->form().slotText(1).section(QLatin1Char(' '), 0, 0),
                 QStringLiteral("31"));
    }

    // Check Orders shows the findings of the orders as stored now, after each change.
    void checkOrdersFollowsTheOrders()
    {
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        const OrderRepository orders(f.t.store());
        orders.append(123, QStringLiteral("MOVE"), TestStore::slots({"99"}));
        openCheckOrders(f.context, *f.windows, 123, &f.menu());
        auto* check = f.menu().findChild<CheckOrdersWindow*>(QStringLiteral("CheckOrders"));
        QVERIFY(check);
        const int findings = check->findings().rowCount();
        QVERIFY(findings > 0);
        orders.append(123, QStringLiteral("MOVE"), TestStore::slots({"98"}));
        QTRY_VERIFY(check->findings().rowCount() > findings);
        orders.clear(123);
        QTRY_COMPARE(check->findings().rowCount(), 0);
        check->close();
    }

    // A finding set aside leaves the list and the counts at once; under the list, how many
    // are set aside; Show Set Aside lists them, and Bring Back returns one.
    void checkOrdersSetsAFindingAside_data()
    {
        QTest::addColumn<QString>("way");
        for (const char* way : {"button", "Alt+A", "right mouse button", "Shift+F10", "Menu key"})
            QTest::newRow(way) << QString::fromLatin1(way);
    }
    void checkOrdersSetsAFindingAside()
    {
        QFETCH(QString, way);
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        const OrderRepository orders(f.t.store());
        orders.append(123, QStringLiteral("NM"), TestStore::slots({"99", "Sol", "3"}));
        orders.append(123, QStringLiteral("NM"), TestStore::slots({"98", "Sol", "3"}));
        // The main menu shown and the orders' notices told before the window opens: the keys
        // go to it, and only setting aside changes it.
        QVERIFY(QTest::qWaitForWindowActive(&f.menu()));
        QCoreApplication::processEvents();
        openCheckOrders(f.context, *f.windows, 123, &f.menu());
        auto* check = f.menu().findChild<CheckOrdersWindow*>(QStringLiteral("CheckOrders"));
        QVERIFY(check);
        QTRY_COMPARE(QApplication::activeWindow(), check);
        QTableWidget& findings = check->findings();
        auto* count = check->findChild<QLabel*>(QStringLiteral("SetAsideCount"));
        auto* summary = check->findChild<QLabel*>(QStringLiteral("Summary"));
        QCOMPARE(findings.rowCount(), 2);
        QVERIFY(!count->isVisible());
        QVERIFY(summary->text().startsWith(QStringLiteral("2 of your 2 orders will fail")));
        const QString first = findings.item(0, 4)->text();
        const QString second = findings.item(1, 4)->text();

        setAsideTheSecond(*check, way);
        QTRY_COMPARE(findings.rowCount(), 1); // a mnemonic clicks a moment later
        QCOMPARE(findings.item(0, 4)->text(), first);
        QVERIFY(count->isVisible());
        QCOMPARE(count->text(), QStringLiteral("1 finding set aside"));
        QVERIFY(summary->text().startsWith(QStringLiteral("1 of your 2 orders will fail")));

        f.click(check, QStringLiteral("ShowSetAside"));
        QPointer<SetAsideDialog> list = check->setAsideList();
        QVERIFY(list && list->isVisible());
        QCOMPARE(list->findings().rowCount(), 1);
        QCOMPARE(list->findings().item(0, 4)->text(), second);
        f.click(list, QStringLiteral("BringBack"));
        QCOMPARE(findings.rowCount(), 2);
        QCOMPARE(findings.item(1, 4)->text(), second);
        QVERIFY(!count->isVisible());
        QTRY_VERIFY(!list);
        check->close();
    }

    // Two set aside, the line counts them; a change of one's order brings that one back, as the
    // window follows the orders; when every finding is set aside the window still opens.
    void findingsSetAsideComeBackWhenTheirOrderChanges()
    {
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        const OrderRepository orders(f.t.store());
        orders.append(123, QStringLiteral("NM"), TestStore::slots({"99", "Sol", "3"}));
        orders.append(123, QStringLiteral("NM"), TestStore::slots({"98", "Sol", "3"}));
        for (const OrderFinding& finding : checkEmpireOrders(f.t.store(), 123).findings)
            SetAsideFindings(f.t.store()).setAside(finding);
        openCheckOrders(f.context, *f.windows, 123, &f.menu());
        QVERIFY(f.dialogs.records().isEmpty());
        auto* check = f.menu().findChild<CheckOrdersWindow*>(QStringLiteral("CheckOrders"));
        QVERIFY(check && check->isVisible());
        auto* count = check->findChild<QLabel*>(QStringLiteral("SetAsideCount"));
        QCOMPARE(check->findings().rowCount(), 0);
        QCOMPARE(count->text(), QStringLiteral("2 findings set aside"));
        QVERIFY(!check->findChild<QPushButton*>(QStringLiteral("SetAside"))->isEnabled());
        f.t.store().run(QStringLiteral("UPDATE Orders SET i3 = '4' WHERE Priority = 20"));
        QTRY_COMPARE(check->findings().rowCount(), 1);
        QVERIFY(check->findings().item(0, 4)->text().contains(QStringLiteral("\"98\"")));
        QCOMPARE(count->text(), QStringLiteral("1 finding set aside"));
        check->close();
    }

    // Each of the program's keys in each window: where it leads (nothing where it does not
    // belong: quitting from a form being typed in).
    void theProgramsKeysWorkInEveryWindow_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("call");
        const QList<std::pair<QKeySequence, QString>> keys{
            {QKeySequence(Qt::CTRL | Qt::Key_T), "turn data 123"},
            {QKeySequence(Qt::CTRL | Qt::Key_M), "warp map 123"},
            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T), "what changed 123"},
            {QKeySequence(Qt::Key_F1), "user's guide"},
            {QKeySequence(Qt::CTRL | Qt::Key_Q), "exit"}};
        for (const char* window : {"turn data", "warp map", "what changed", "check orders",
                                   "order entry", "edit orders"}) {
            const bool typing =
                QByteArray(window) == "order entry" || QByteArray(window) == "edit orders";
            for (const auto& [key, call] : keys) {
                const bool quits = call == QLatin1String("exit");
                QTest::addRow("%s, %s", window, qPrintable(key.toString()))
                    << QString::fromLatin1(window) << key << (quits && typing ? QString() : call);
            }
        }
    }
    void theProgramsKeysWorkInEveryWindow()
    {
        QFETCH(QString, window);
        QFETCH(QKeySequence, key);
        QFETCH(QString, call);
        AppFixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"));
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        const std::unique_ptr<QWidget> shown = windowNamed(f, window);
        shown->show();
        QVERIFY(QTest::qWaitForWindowActive(shown.get()));
        QWidget* focused = QApplication::focusWidget() ? QApplication::focusWidget() : shown.get();
        QTest::keyClick(focused, Qt::Key(key[0].key()), key[0].keyboardModifiers());
        QCOMPARE(f.navigator.calls, call.isEmpty() ? QStringList() : QStringList{call});
    }

    // Shift+F10 opens the menu of the row in front, as the Menu key does.
    void shiftF10OpensTheContextMenu()
    {
        AppFixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"));
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        TurnDataWindow window(f.context, f.navigator, 123);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.view(0).setFocus();
        window.view(0).setCurrentIndex(window.model(0).index(0, 0));
        QString opened;
        QTimer::singleShot(0, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                opened = menu->objectName();
                menu->close();
            }
        });
        QTest::keyClick(&window.view(0), Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(opened, QStringLiteral("NewOrderMenu"));
    }

    // The New Order menu of a fleet's row takes the first letters of a code typed.
    void theNewOrderMenuTakesTypeAhead_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("code");
        QTest::newRow("mov") << "mov"
                             << "MOVE";
        QTest::newRow("a new word after a pause") << "x|mov"
                                                  << "MOVE";
    }
    void theNewOrderMenuTakesTypeAhead()
    {
        QFETCH(QString, typed);
        QFETCH(QString, code);
        AppFixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"));
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        TurnDataWindow window(f.context, f.navigator, 123);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.view(0).setFocus();
        window.view(0).setCurrentIndex(window.model(0).index(0, 0));
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (const QString& word : typed.split(QLatin1Char('|'))) {
                QTest::qWait(word == typed.section(QLatin1Char('|'), 0, 0) ? 0 : 1100);
                QTest::keyClicks(menu, word);
            }
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTest::keyClick(&window.view(0), Qt::Key_Return);
        QCOMPARE(f.navigator.calls.size(), 1);
        QVERIFY2(f.navigator.calls.front().startsWith(QStringLiteral("order 123: %1,").arg(code)),
                 qPrintable(f.navigator.calls.front()));
    }

private:
    static std::unique_ptr<QWidget> windowNamed(AppFixture& f, const QString& name)
    {
        if (name == QLatin1String("turn data"))
            return std::make_unique<TurnDataWindow>(f.context, f.navigator, 123);
        if (name == QLatin1String("warp map"))
            return std::make_unique<WarpMapWindow>(f.context, f.navigator, 123,
                                                   *laidOutMap(f.context, 123, nullptr));
        if (name == QLatin1String("what changed"))
            return std::make_unique<WhatChangedWindow>(TurnChanges{}, QStringLiteral("Empire"),
                                                       f.navigator, 123);
        if (name == QLatin1String("check orders"))
            return std::make_unique<CheckOrdersWindow>(OrderCheckReport{}, 123, f.navigator,
                                                       f.screen);
        if (name == QLatin1String("order entry"))
            return std::make_unique<OrderEntryWindow>(f.context, f.navigator, 123);
        return std::make_unique<OrderListingWindow>(f.context, f.navigator, 123);
    }
};

QTEST_MAIN(TestFollowStore)
#include "tst_followstore.moc"
