#include "AppWindowsFixture.h"
#include "check/CheckOrdersWindow.h"
#include "common/ProgramKeys.h"
#include "listing/OrderListingWindow.h"
#include "orderentry/OrderEntryWindow.h"
#include "orderentry/WidgetOrderForm.h"
#include "store/EmpireOrderCheck.h"
#include "store/OrderRepository.h"
#include "store/Store.h"
#include "turndata/TurnDataWindow.h"
#include "turndata/TurnTableModel.h"
#include "turndata/WhatChangedWindow.h"
#include "turnimport/TurnImporter.h"
#include "warpmap/WarpMapWindow.h"

#include <QMenu>
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
