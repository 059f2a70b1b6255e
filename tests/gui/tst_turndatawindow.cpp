#include "AppWindowsFixture.h"
#include "warpmap/MapView.h"
#include "warpmap/WarpMapWindow.h"
#include "DiskLimits.h"
#include "GridChecks.h"
#include "RealInput.h"
#include "Startup.h"
#include "TurnDataFixture.h"
#include "check/CheckOrdersWindow.h"
#include "common/WindowMemory.h"
#include "help/HelpWindows.h"
#include "listing/OrderListingWindow.h"
#include "mainmenu/MainMenuWindow.h"
#include "orderentry/OrderEntryWindow.h"
#include "orderentry/WidgetOrderForm.h"
#include "ordersfile/OrdersFile.h"
#include "store/EmpireRepository.h"
#include "store/OrderRepository.h"
#include "store/TurnDataRepository.h"
#include "turndata/TurnDataWindow.h"
#include "turndata/TurnTableModel.h"
#include "turndata/WhatChangedWindow.h"
#include "turnimport/TurnImporter.h"
#include "turnimport/TurnResultsArchive.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QIcon>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <private/qwindow_p.h>
#include <qpa/qwindowsysteminterface.h>

using namespace vf;
using namespace vf::test;

// The Turn Data window.
class TestTurnDataWindow : public QObject {
    Q_OBJECT
    using Fixture = AppWindowsFixture;

private Q_SLOTS:
    // The turn data beside the orders: opened by key, filtered by typing, copied, and a warp
    // point's row leads to a MOVE order with the star and the warp point picked.
    void theTurnDataLeadsToANewOrder()
    {
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        f.pick(QStringLiteral("Sable Concord"));
        QVERIFY(QTest::qWaitForWindowActive(&f.menu()));
        QTest::keyClick(&f.menu(), Qt::Key_T, Qt::ControlModifier);
        TurnDataWindow* data = f.windows->turnData();
        QVERIFY(data && data->isVisible());
        QVERIFY(data->windowTitle().startsWith(
            QStringLiteral("Turn Data - Empire # 123 Sable Concord - imported ")));
        QVERIFY(data->windowTitle().endsWith(QStringLiteral(" from 123.mdb")));
        const auto titles = [data] {
            QStringList all;
            for (int tab = 0; tab < data->tabs().count(); ++tab)
                all << data->tabs().tabText(tab);
            return all.mid(0, 6).join(QStringLiteral(", "));
        };
        QCOMPARE(titles(), QStringLiteral("Fleets (6), Armies (3), Population Groups (4), "
                                          "Systems (6), Orbital Locations (9), Warp Points (6)"));
        QVERIFY(QTest::qWaitForWindowActive(data));
        QTest::keyClick(data, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), &data->filter());
        QTest::keyClicks(&data->filter(), QStringLiteral("BARNARD"));
        // (O'Brien's Raiders are at Barnard's Star: a fleet's location is shown too.)
        QTRY_COMPARE(titles(), QStringLiteral("Fleets (1 of 6), Armies (0 of 3), Population Groups "
                                              "(1 of 4), Systems (1 of 6), Orbital Locations (2 of "
                                              "9), Warp Points (2 of 6)"));
        QTest::keyClick(&data->filter(), Qt::Key_Escape);
        QCOMPARE(data->filter().text(), QString());
        QVERIFY(titles().startsWith(QStringLiteral("Fleets (6), ")));

        // Two fleets copied, under their headings.
        QTableView& fleets = data->view(0);
        QTest::mouseClick(fleets.viewport(), Qt::LeftButton, Qt::NoModifier,
                          fleets.visualRect(fleets.model()->index(0, 1)).center());
        QTest::mouseClick(fleets.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          fleets.visualRect(fleets.model()->index(1, 1)).center());
        QTest::keyClick(&fleets, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("Fleet #\tName\tLocation\tSpeed\n12\tHome Guard\tSol\t4\n3\tScout "
                                "Wing\tVega\t8\n"));

        // Warp point 21 leads from Barnard's Star: Enter offers the codes, MOVE is clicked.
        QTabBar* bar = data->tabs().tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(5).center());
        QTableView& warpPoints = data->view(5);
        QTest::mouseClick(warpPoints.viewport(), Qt::LeftButton, Qt::NoModifier,
                          warpPoints.visualRect(warpPoints.model()->index(4, 0)).center());
        QCOMPARE(data->model(5).cells(4).value(0), QStringLiteral("21"));
        bool clicked = false;
        QTimer::singleShot(0, [&clicked] {
            QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            // Each code once, an X-variant under its own code.
            QStringList captions;
            for (const QAction* action : menu->actions())
                captions << action->text();
            QCOMPARE(QSet<QString>(captions.begin(), captions.end()).size(), captions.size());
            QVERIFY(captions.contains(QStringLiteral("XMOVE (Move to Warp Point)")));
            for (QAction* action : menu->actions()) {
                if (action->text().startsWith(QStringLiteral("MOVE ("))) {
                    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                                      menu->actionGeometry(action).center());
                    clicked = true;
                    return;
                }
            }
            menu->close();
        });
        QTest::keyClick(&warpPoints, Qt::Key_Return);
        QVERIFY(clicked);
        OrderEntryWindow* entry = f.windows->orderEntry();
        QVERIFY(entry && entry->isVisible());
        QCOMPARE(entry->form().code(), QStringLiteral("MOVE"));
        QCOMPARE(entry->form().slotText(2), QStringLiteral("Barnard's Star"));
        QCOMPARE(entry->form().slotText(3), QStringLiteral("21 Barnard's Star -A- Kappa Ceti"));
        // The fleet is chosen next, those the file places at the star first.
        QCOMPARE(entry->form().choices(1).value(0).text.section(QLatin1Char(' '), 1),
                 QStringLiteral("O'Brien's Raiders"));
        QVERIFY(QTest::qWaitForWindowActive(entry));
        auto* fleetBox = entry->findChild<QComboBox*>(QStringLiteral("OrderCode0"));
        QVERIFY(pickFromList(fleetBox, QStringLiteral("27 Tarsis Patrol")));
        f.click(entry, QStringLiteral("SaveOrder"));
        const QList<Order> stored = OrderRepository(f.t.store()).ordersOf(123);
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored[0].code, QStringLiteral("MOVE"));
        QCOMPARE((QStringList{stored[0].slots[0], stored[0].slots[1], stored[0].slots[2]}),
                 (QStringList{"27", "Barnard's Star", "21"}));
        QVERIFY(data->isVisible()); // it stays open beside the orders

        // A system's row: Enter offers Show on Map, which opens the map at that star.
        data->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(data));
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(3).center());
        QTableView& systems = data->view(3);
        QTest::mouseClick(systems.viewport(), Qt::LeftButton, Qt::NoModifier,
                          systems.visualRect(systems.model()->index(1, 0)).center());
        const QString system = data->model(3).cells(1).value(0);
        QTimer::singleShot(0, [] {
            QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            auto* onMap = menu->findChild<QAction*>(QStringLiteral("ShowOnMap"));
            QVERIFY(onMap);
            menu->setActiveAction(onMap);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTest::keyClick(&systems, Qt::Key_Return);
        WarpMapWindow* map = f.windows->warpMap();
        QVERIFY(map && map->isVisible());
        QCOMPARE(map->panel().headerItem()->text(0), system);
        QCOMPARE(map->view().marked(), map->map().indexOf(system));
    }

    // After a filter and a sort the rows stand elsewhere: Copy copies, and New Order… names,
    // the record on the row the player chose.
    void copyAndNewOrderTakeTheRowChosen_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("sortBy"); // a column; -1: stored order
        QTest::addColumn<int>("clicks"); // on its heading: 1 rising, 2 falling
        QTest::addColumn<QString>("copied");
        QTest::addColumn<int>("fleet");
        QTest::newRow("as stored") << "" << -1 << 0 << "12\tHome Guard\tSol\t4" << 12;
        QTest::newRow("filtered") << "vega" << -1 << 0 << "3\tScout Wing\tVega\t8" << 3;
        QTest::newRow("sorted by name, falling")
            << "" << 1 << 2 << "5\t\u00c6rendel Lancers\t" << 5;
        QTest::newRow("filtered and sorted by number")
            << "sol" << 0 << 1 << "8\tVanguard\tSol\t5" << 8;
    }
    void copyAndNewOrderTakeTheRowChosen()
    {
        QFETCH(QString, filter);
        QFETCH(int, sortBy);
        QFETCH(int, clicks);
        QFETCH(QString, copied);
        QFETCH(int, fleet);
        TurnDataOf123 f;
        TurnDataWindow& data = *f.window;
        QVERIFY(QTest::qWaitForWindowActive(&data));
        QTest::keyClicks(&data.filter(), filter);
        QTableView& fleets = data.view(0);
        if (sortBy >= 0) {
            QHeaderView* heading = fleets.horizontalHeader();
            const QPoint at(heading->sectionViewportPosition(sortBy) + 5, heading->height() / 2);
            for (int click = 0; click < clicks; ++click)
                QTest::mouseClick(heading->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        }
        QTest::mouseClick(fleets.viewport(), Qt::LeftButton, Qt::NoModifier,
                          fleets.visualRect(fleets.model()->index(0, 1)).center());
        QTest::keyClick(&fleets, Qt::Key_C, Qt::ControlModifier);
        const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
        QVERIFY2(lines.value(1).startsWith(copied), qPrintable(lines.value(1)));
        QTimer::singleShot(0, [] {
            QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions()) {
                if (action->text().startsWith(QStringLiteral("MOVE ("))) {
                    action->trigger();
                    menu->close();
                    return;
                }
            }
            menu->close();
        });
        QTest::keyClick(&fleets, Qt::Key_Return);
        QCOMPARE(f.navigator.calls,
                 QStringList{
                     QStringLiteral("order 123: MOVE, slot 1 picks %1, slot 0 holds ").arg(fleet)});
    }

    // Tab and Shift+Tab leave the grid for the window's other controls, as from any box.
    void tabLeavesTheGrid_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Tab") << int(Qt::NoModifier);
        QTest::newRow("Shift+Tab") << int(Qt::ShiftModifier);
    }
    void tabLeavesTheGrid()
    {
        QFETCH(int, modifiers);
        TurnDataOf123 f;
        TurnDataWindow& data = *f.window;
        QVERIFY(QTest::qWaitForWindowActive(&data));
        QTableView& fleets = data.view(0);
        QTest::mouseClick(fleets.viewport(), Qt::LeftButton, Qt::NoModifier,
                          fleets.visualRect(fleets.model()->index(2, 0)).center());
        QCOMPARE(QApplication::focusWidget(), &fleets);
        QTest::keyClick(&fleets, Qt::Key_Tab, Qt::KeyboardModifiers(modifiers));
        QVERIFY(QApplication::focusWidget() != &fleets);
        QVERIFY(data.isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(fleets.currentIndex().row(), 2);
    }

    // The tables one after another by key from the filter box and the grid alike; the list
    // beside the grid follows.
    void ctrlTabAndCtrlPageKeysGoFromTableToTable_data()
    {
        QTest::addColumn<QString>("from"); // "filter", "grid"
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("step");
        for (const char* from : {"filter", "grid"}) {
            QTest::addRow("%s, Ctrl+Tab", from)
                << from << int(Qt::Key_Tab) << int(Qt::ControlModifier) << 1;
            QTest::addRow("%s, Ctrl+PgDn", from)
                << from << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << 1;
            QTest::addRow("%s, Ctrl+PgUp", from)
                << from << int(Qt::Key_PageUp) << int(Qt::ControlModifier) << -1;
            QTest::addRow("%s, Ctrl+Shift+Tab", from)
                << from << int(Qt::Key_Backtab) << int(Qt::ControlModifier | Qt::ShiftModifier)
                << -1;
        }
    }
    void ctrlTabAndCtrlPageKeysGoFromTableToTable()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, step);
        TurnDataOf123 f;
        TurnDataWindow& data = *f.window;
        QVERIFY(QTest::qWaitForWindowActive(&data));
        data.tabs().setCurrentIndex(3);
        QWidget* focus =
            from == QLatin1String("filter") ? static_cast<QWidget*>(&data.filter()) : &data.view(3);
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(data.tabs().currentIndex(), 3 + step);
        QCOMPARE(data.tableList().currentRow(), 3 + step);
    }

    // While filtering, the tables holding matches are marked, and when the table shown holds
    // none the first that does is shown.
    void theFilterLeadsToTheTablesHoldingMatches()
    {
        TurnDataOf123 f;
        TurnDataWindow& data = *f.window;
        QVERIFY(QTest::qWaitForWindowActive(&data));
        for (int tab = 0; tab < data.tabs().count(); ++tab)
            data.model(tab).load();
        data.tabs().setCurrentIndex(0);                                // fleets
        QTest::keyClicks(&data.filter(), QStringLiteral("fuel tank")); // an item alone
        const int shown = data.tabs().currentIndex();
        QVERIFY(data.model(shown).rowCount() > 0);
        QVERIFY(data.model(0).rowCount() == 0);
        for (int tab = 0; tab < data.tabs().count(); ++tab) {
            const bool holds = data.model(tab).rowCount() > 0;
            QCOMPARE(data.tableList().item(tab)->font().bold(), holds);
            if (holds)
                QVERIFY(tab >= shown); // the first of them is shown
        }
        QVERIFY(data.tableList().item(shown)->text().contains(QStringLiteral(" of ")));
    }

    // The table, the filter and each table's sort come back when the window opens again for
    // the empire, not for another.
    void theTableFilterAndSortAreKeptForTheEmpire()
    {
        TurnDataOf123 f;
        TurnDataWindow& data = *f.window;
        QVERIFY(QTest::qWaitForWindowActive(&data));
        QTest::mouseClick(data.tableList().viewport(), Qt::LeftButton, {},
                          data.tableList().visualItemRect(data.tableList().item(2)).center());
        QCOMPARE(data.tabs().currentIndex(), 2);
        QHeaderView* heading = data.view(2).horizontalHeader();
        const int second = heading->sectionViewportPosition(1) + 4;
        QTest::mouseClick(heading->viewport(), Qt::LeftButton, {}, QPoint(second, 5));
        QTest::mouseClick(heading->viewport(), Qt::LeftButton, {}, QPoint(second, 5));
        QCOMPARE(heading->sortIndicatorOrder(), Qt::DescendingOrder);
        QTest::keyClicks(&data.filter(), QStringLiteral("o"));
        const QStringList shownRows = data.model(2).cells(0);
        data.close();

        TurnDataWindow again(f.context, f.navigator, 123);
        QCOMPARE(again.tabs().currentIndex(), 2);
        QCOMPARE(again.filter().text(), QStringLiteral("o"));
        QCOMPARE(again.view(2).horizontalHeader()->sortIndicatorSection(), 1);
        QCOMPARE(again.view(2).horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        again.model(2).load();
        QCOMPARE(again.model(2).cells(0), shownRows);

        f.t.addEmpire(456, QStringLiteral("Iron Veil"));
        TurnDataWindow other(f.context, f.navigator, 456);
        QCOMPARE(other.tabs().currentIndex(), 0);
        QVERIFY(other.filter().text().isEmpty());
    }
};

QTEST_MAIN(TestTurnDataWindow)
#include "tst_turndatawindow.moc"
