#include "AppWindowsFixture.h"
#include "DiskLimits.h"
#include "GridChecks.h"
#include "RealInput.h"
#include "Startup.h"
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

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
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

// The hand-over between the windows, and windows that fit and come back where they were.
class TestAppWindows : public QObject {
    Q_OBJECT
    using Fixture = AppWindowsFixture;

private Q_SLOTS:
    void everyWindowCarriesTheProgramsIcon()
    {
        const QIcon icon = programIcon();
        QVERIFY(icon.availableSizes().contains(QSize(256, 256)));
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
        QApplication::setWindowIcon(icon); // as the program does at start
        Fixture f;
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY(!window->windowIcon().isNull());
        QVERIFY(f.menu().windowIcon().availableSizes().contains(QSize(256, 256)));
    }

    void enterOrdersAndBack()
    {
        Fixture f;
        f.pick(QStringLiteral("Iron Veil"));
        f.click(&f.menu(), QStringLiteral("EnterOrders"));
        QVERIFY(f.windows->orderEntry());
        QCOMPARE(f.windows->orderEntry()->empireId(), 456);
        QVERIFY(f.windows->orderEntry()->isVisible());
        QVERIFY(!f.menu().isVisible());
        // Typing another name and leaving the box does not change the empire chosen.
        f.menu().findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("123"));
        f.click(f.windows->orderEntry(), QStringLiteral("MainMenu"));
        QVERIFY(f.menu().isVisible());
        QVERIFY(f.windows->orderEntry()->isHidden());
        QCOMPARE(f.menu().findChild<QLineEdit*>(QStringLiteral("Text2"))->text(),
                 QStringLiteral("456"));
    }

    void editOrdersWarnsAndLeadsOn()
    {
        Fixture f;
        f.pick(QStringLiteral("Sable Concord"));
        f.dialogs.answerOk();
        f.click(&f.menu(), QStringLiteral("EditOrders"));
        QVERIFY(f.windows->orderListing() && f.windows->orderListing()->isVisible());
        QCOMPARE(f.dialogs.last().request.title, QStringLiteral("Imperial Advisor Warning"));
        QCOMPARE(f.dialogs.last().request.icon, DialogIcon::Warning);
        QCOMPARE(
            f.dialogs.last().request.text,
            QStringLiteral(
                "<< WARNING >>\r\n\r\nChange fields in the above order editing table at your own "
                "risk.  "
                "Simple changes to numbers only works fine (the Priority field is a good example), "
                "but "
                "if there is text involved, you are strongly advised to delete the order, enter a "
                "new "
                "order, and then come back here to Edit Orders to change the Priority value to "
                "place "
                "that new order at the desired location in your orders processing sequence.\r\n\r\n"
                "To delete an order, click on the far left column to select an orders row.  Then "
                "hit "
                "the 'Delete' key on your keyboard."));
        f.click(f.windows->orderListing(), QStringLiteral("BackToOrders"));
        QVERIFY(f.windows->orderEntry() && f.windows->orderEntry()->isVisible());
        QVERIFY(f.windows->orderListing()->isHidden());
        f.dialogs.answerOk();
        f.click(f.windows->orderEntry(), QStringLiteral("EditOrders"));
        QCOMPARE(f.dialogs.records().size(), 2);
        QVERIFY(f.windows->orderListing()->isVisible());
        f.click(f.windows->orderListing(), QStringLiteral("BackToMainMenu"));
        QVERIFY(f.menu().isVisible());
    }

    // A small screen and a font twice the size: every window stays within the screen, every
    // button can be scrolled to, and the box that takes the focus is scrolled into view.
    void everyWindowFitsASmallScreenWithALargeFont()
    {
        ScaledFont large(2.0);
        Fixture f(640, 480);
        const QSize room(640, 480);
        const auto fits = [&room](QWidget* window) {
            return window->width() <= room.width() && window->height() <= room.height();
        };
        const auto reachable = [](QWidget* window, QWidget* button) {
            auto* area = window->findChild<QScrollArea*>(QStringLiteral("WindowScroller"));
            if (!area)
                area = window->findChild<QScrollArea*>();
            area->ensureWidgetVisible(button);
            const QRect shown(button->mapTo(area->viewport(), QPoint(0, 0)), button->size());
            return area->viewport()->rect().contains(shown);
        };
        f.menu().show();
        QVERIFY(fits(&f.menu()));
        for (const char* button : {"EnterOrders", "SaveOrders", "ClearOrders", "NewEmpire"})
            QVERIFY2(reachable(&f.menu(), f.menu().findChild<QWidget*>(QLatin1String(button))),
                     button);

        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        f.windows->openOrderEntry(123);
        OrderEntryWindow* entry = f.windows->orderEntry();
        QVERIFY(QTest::qWaitForWindowActive(entry));
        QVERIFY(fits(entry));
        auto* scroller = entry->findChild<QScrollArea*>();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("bo"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        for (int slot = 1; slot < 50; ++slot) {
            QWidget* box = QApplication::focusWidget();
            const QRect shown(box->mapTo(scroller->viewport(), QPoint(0, 0)), box->size());
            QVERIFY2(scroller->viewport()->rect().contains(shown),
                     qPrintable(QStringLiteral("slot %1 out of view: %2,%3 %4x%5 in %6x%7")
                                    .arg(slot)
                                    .arg(shown.x())
                                    .arg(shown.y())
                                    .arg(shown.width())
                                    .arg(shown.height())
                                    .arg(scroller->viewport()->width())
                                    .arg(scroller->viewport()->height())));
            QTest::keyClick(box, Qt::Key_Return);
        }
        QVERIFY(reachable(entry, entry->findChild<QWidget*>(QStringLiteral("SaveOrder"))));

        f.dialogs.answerOk(); // the listing's warning
        f.windows->openOrderListing(123);
        OrderListingWindow* listing = f.windows->orderListing();
        QVERIFY(fits(listing));
        for (const char* button : {"BackToOrders", "BackToMainMenu", "CheckOrders"})
            QVERIFY2(reachable(listing, listing->findChild<QWidget*>(QLatin1String(button))),
                     button);

        f.windows->openTurnData(123);
        QVERIFY(f.windows->turnData());
        QVERIFY2(fits(f.windows->turnData()),
                 qPrintable(QStringLiteral("%1x%2, at least %3x%4")
                                .arg(f.windows->turnData()->width())
                                .arg(f.windows->turnData()->height())
                                .arg(f.windows->turnData()->minimumSizeHint().width())
                                .arg(f.windows->turnData()->minimumSizeHint().height())));
        // Two turns kept: something to compare.
        for (const int day : {1, 2})
            TurnResultsArchive(f.t.path())
                .keep(TestStore::dataFile(QStringLiteral("123.mdb")), QStringLiteral("123"),
                      QDateTime(QDate(2026, 12, day), QTime(8, 0)));
        openWhatChanged(f.context, *f.windows, 123, &f.menu());
        auto* changed = f.menu().findChild<QWidget*>(QStringLiteral("WhatChanged"));
        QVERIFY(changed && fits(changed));

        OrderRepository(f.t.store()).append(123, QStringLiteral("MOVE"), TestStore::slots({"99"}));
        openCheckOrders(f.context, *f.windows, 123, &f.menu());
        auto* check = f.menu().findChild<QWidget*>(QStringLiteral("CheckOrders"));
        QVERIFY(check && fits(check));
        f.context.userGuide = TestStore::dataFile(QStringLiteral("../../README.md"));
        openUserGuide(f.context, &f.menu());
        auto* guide = f.menu().findChild<QWidget*>(QStringLiteral("UserGuide"));
        QVERIFY(guide && fits(guide));
    }

    // Double size on a 1280x800 screen leaves 640x400 pixels of Qt's own: Check Orders fits
    // and its findings' text wraps rather than running off to the side.
    void checkOrdersWrapsItsFindingsOnASmallScreen()
    {
        Fixture f(640, 400);
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        OrderRepository(f.t.store()).append(123, QStringLiteral("MOVE"), TestStore::slots({"99"}));
        openCheckOrders(f.context, *f.windows, 123, &f.menu());
        auto* check = f.menu().findChild<QWidget*>(QStringLiteral("CheckOrders"));
        QVERIFY(check && QTest::qWaitForWindowExposed(check));
        QVERIFY(check->width() <= 640 && check->height() <= 400);
        QVERIFY(!check->findChild<QAbstractScrollArea*>()->horizontalScrollBar()->isVisible());
    }

    // With room on the screen, the main menu opens at the size of what it holds: no scroll
    // bars, whatever the size of the menu bar's font, also when the font is settled only
    // as the window is shown (as on Windows).
    void theMainMenuOpensWithoutScrollBarsWhereThereIsRoom_data()
    {
        QTest::addColumn<qreal>("fontScale");
        QTest::addColumn<bool>("settledLate");
        QTest::newRow("the system's font") << 1.0 << false;
        QTest::newRow("a larger font") << 1.6 << false;
        QTest::newRow("a larger font, settled late") << 1.6 << true;
    }
    void theMainMenuOpensWithoutScrollBarsWhereThereIsRoom()
    {
        QFETCH(qreal, fontScale);
        QFETCH(bool, settledLate);
        AppFixture f(1600, 1200);
        std::optional<ScaledFont> font;
        if (!settledLate)
            font.emplace(fontScale);
        MainMenuWindow menu(f.context, f.navigator);
        if (settledLate) {
            QFont larger = menu.menuBar()->font();
            larger.setPointSizeF(larger.pointSizeF() * fontScale);
            menu.menuBar()->setFont(larger);
        }
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        auto* area = menu.findChild<QScrollArea*>(QStringLiteral("WindowScroller"));
        QVERIFY(!area->horizontalScrollBar()->isVisible());
        QVERIFY(!area->verticalScrollBar()->isVisible());
        QCOMPARE(area->viewport()->size(), area->widget()->size());
    }

    // Two runs of the program over one data folder: the second chooses the empire the first
    // chose last, and puts the main menu where the player moved it (within the screen).
    void theEmpireAndTheWindowsAreRememberedBetweenRuns()
    {
        AppFixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"));
        f.t.addEmpire(456, QStringLiteral("Iron Veil"));
        const QRect moved(160, 120, 600, 420);
        {
            AppWindows first(f.context);
            first.start();
            MainMenuWindow& menu = first.mainMenu();
            QVERIFY(QTest::qWaitForWindowActive(&menu));
            auto* name = menu.findChild<QComboBox*>(QStringLiteral("EmpireName"));
            name->lineEdit()->selectAll();
            QTest::keyClicks(name, QStringLiteral("Iron Veil"));
            QTest::keyClick(name, Qt::Key_Return);
            QCOMPARE(f.context.currentEmpireId, 456);
            // The window manager has placed the window.
            QTRY_VERIFY(menu.findChild<WindowMemory*>()->placed());
            // The player drags and resizes the window: the window system says so.
            QWindowSystemInterface::handleGeometryChange<
                QWindowSystemInterface::SynchronousDelivery>(menu.windowHandle(), moved);
            QCOMPARE(menu.geometry(), moved);
        } // the program ends
        AppContext secondRun{f.t.store(), f.t.folder(), f.dialogs,
                             f.clock,     f.screen,     TestStore::readerPath()};
        AppWindows second(secondRun);
        second.start();
        MainMenuWindow& menu = second.mainMenu();
        QCOMPARE(menu.findChild<QComboBox*>(QStringLiteral("EmpireName"))->currentText(),
                 QStringLiteral("Iron Veil"));
        QCOMPARE(menu.findChild<QLineEdit*>(QStringLiteral("Text2"))->text(),
                 QStringLiteral("456"));
        QCOMPARE(menu.size(), moved.size());
        // Where it was, give or take the window's frame.
        QVERIFY((menu.pos() - moved.topLeft()).manhattanLength() <= 8);

        // A third run on a smaller screen: the window stays within it.
        FixedScreenMetrics small(500, 360);
        AppContext thirdRun{f.t.store(), f.t.folder(), f.dialogs,
                            f.clock,     small,        TestStore::readerPath()};
        AppWindows third(thirdRun);
        const QRect within = third.mainMenu().geometry();
        QVERIFY2(within.right() < 500 && within.bottom() < 360 && within.left() >= 0 &&
                     within.top() >= 0,
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(within.x())
                                .arg(within.y())
                                .arg(within.width())
                                .arg(within.height())));
    }

    void closingAnotherWindowReturnsToTheMainMenu()
    {
        Fixture f;
        f.pick(QStringLiteral("Sable Concord"));
        f.click(&f.menu(), QStringLiteral("EnterOrders"));
        f.windows->orderEntry()->close();
        QVERIFY(f.menu().isVisible());
        QVERIFY(f.windows->orderEntry()->isHidden());
    }

    // The main menu where the window manager or the player put it, then order entry or Edit
    // Orders and back: the main menu comes back where it was, its place given to the window
    // system (a window manager would otherwise place it anew, beside the window just left).
    void theMainMenuComesBackWhereItWas_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("order entry") << "EnterOrders";
        QTest::newRow("Edit Orders") << "EditOrders";
    }
    void theMainMenuComesBackWhereItWas()
    {
        QFETCH(QString, button);
        Fixture f;
        f.pick(QStringLiteral("Sable Concord"));
        QVERIFY(QTest::qWaitForWindowExposed(&f.menu()));
        QTRY_VERIFY(f.menu().findChild<WindowMemory*>()->placed());
        const QRect place(300, 200, f.menu().width(), f.menu().height());
        QWindowSystemInterface::handleGeometryChange<QWindowSystemInterface::SynchronousDelivery>(
            f.menu().windowHandle(), place);
        f.dialogs.answerOk();
        f.click(&f.menu(), button);
        QVERIFY(f.menu().isHidden());
        f.windows->backToMainMenu();
        QVERIFY(f.menu().isVisible());
        QCOMPARE(f.menu().geometry(), place);
        QVERIFY(!qt_window_private(f.menu().windowHandle())->positionAutomatic);
    }
};

QTEST_MAIN(TestAppWindows)
#include "tst_appwindows.moc"
