#include "MainMenuFixture.h"
#include "ModalAnswerer.h"
#include "RealInput.h"
#include "common/Decorative.h"
#include "common/QtDialogs.h"
#include "common/Twips.h"
#include "mainmenu/MainMenuWindow.h"
#include "mainmenu/SaveOrdersDialogue.h"
#include "store/EmpireRepository.h"
#include "store/OrderRepository.h"
#include "turndata/WhatChangedWindow.h"
#include "turnimport/TurnResultsArchive.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyleOptionComboBox>
#include <QTest>

#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <optional>

using namespace vf;
using namespace vf::test;

// The main menu: where its controls stand, its keys, its refusals before an empire is
// chosen, and its help.
class TestMainMenu : public QObject {
    Q_OBJECT
    using Fixture = MainMenuFixture;

private Q_SLOTS:
    // A label that only decorates is hidden from a screen reader, also when the reader asked
    // for it before it was marked (as one that is running does when a label's text is set).
    void aDecorativeLabelIsHiddenFromScreenReaders()
    {
        QLabel label(QStringLiteral("Enter Orders"));
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        QVERIFY(!QAccessible::queryAccessibleInterface(&label)->state().invisible);
        markDecorative(&label);
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&label);
        QVERIFY(read->state().invisible);
        QCOMPARE(read->text(QAccessible::Name), QString());
        QCOMPARE(label.text(), QStringLiteral("Enter Orders"));
    }

    void controlsStandWhereDesigned()
    {
        Fixture f;
        QCOMPARE(f.window->objectName(), QStringLiteral("Form1"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Voidfire: Dominara (Castellan)"));
        const QStringList buttons{"EnterOrders", "EditOrders",  "UpdateData",
                                  "SaveOrders",  "ClearOrders", "NewEmpire"};
        const QStringList labels{"Label2", "Label1", "Label3", "Label4", "Label6", "Label7"};
        const QStringList captions{"Enter Orders", "Edit Orders",  "Update Data",
                                   "Save Orders",  "Clear Orders", "New Empire"};
        for (int i = 0; i < buttons.size(); ++i) {
            auto* button = f.window->findChild<QToolButton*>(buttons[i]);
            auto* label = f.window->findChild<QLabel*>(labels[i]);
            QVERIFY2(button && label, qPrintable(buttons[i]));
            QCOMPARE(label->text(), captions[i]);
            QCOMPARE(label->toolTip(), button->toolTip());
            QCOMPARE(button->accessibleName(), captions[i]);
            // A screen reader reads the button's name once: its caption label is hidden from it.
            QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name),
                     captions[i]);
            QVERIFY(QAccessible::queryAccessibleInterface(label)->state().invisible);
            QVERIFY(!button->icon().isNull());
            QCOMPARE(label->geometry().left(), button->geometry().left() + twips(1200));
        }
        QCOMPARE(f.window->findChild<QToolButton*>(QStringLiteral("SaveOrders"))->geometry(),
                 QRect(twips(4200), twips(1800), twips(975), twips(615)));
        QCOMPARE(f.window->findChild<QToolButton*>(QStringLiteral("ClearOrders"))->toolTip(),
                 QStringLiteral("Click this button to clear the orders you have entered for this "
                                "Empire - *use with care!*"));
        QCOMPARE(f.name()->geometry(), QRect(twips(360), twips(360), twips(3015), twips(315)));
        QCOMPARE(f.window->findChild<QLabel*>(QStringLiteral("Label5"))->text(),
                 QStringLiteral("#"));
        QCOMPARE(f.password()->toolTip(), f.password()->parentWidget()->toolTip());
        // The whole body shows on a screen with room for it: nothing to scroll.
        auto* scroller = qobject_cast<QScrollArea*>(f.window->centralWidget());
        QVERIFY(scroller);
        QCOMPARE(scroller->widget()->size(), QSize(twips(7920), twips(4695)));
        QVERIFY(f.showActive());
        QVERIFY(!scroller->horizontalScrollBar()->isVisible());
        QVERIFY(!scroller->verticalScrollBar()->isVisible());
    }

    void firstStartRefusesEveryAction_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("Enter Orders")
            << "EnterOrders"
            << "Imperial Bureaucrat Report"
            << "You need to select an Empire before proceeding to Order Entry";
        QTest::newRow("Edit Orders")
            << "EditOrders"
            << "Imperial Advisor Report"
            << "You need to select an Empire before proceeding to Order Editing";
        QTest::newRow("Save Orders") << "SaveOrders"
                                     << "Imperial Bureaucrat Report"
                                     << "You need to select an Empire before Saving Orders";
        QTest::newRow("Clear Orders") << "ClearOrders"
                                      << "Imperial Bureaucrat Report"
                                      << "You need to select an Empire before clearing orders";
        QTest::newRow("Update Data")
            << "UpdateData"
            << "Imperial Bureaucrat Note"
            << "You need to select an Empire before updating turn results data";
    }
    void firstStartRefusesEveryAction()
    {
        QFETCH(QString, button);
        QFETCH(QString, title);
        QFETCH(QString, text);
        for (const QString& typed :
             {QString(), QStringLiteral("12abc"), QStringLiteral("1 OR 1=1")}) {
            Fixture f;
            QCOMPARE(f.listed(), (QStringList{"Sable Concord", "Iron Veil", "O'Neil's Realm"}));
            QCOMPARE(f.name()->currentText(), QString());
            f.number()->setText(typed);
            f.dialogs.answerOk();
            f.click(button);
            QCOMPARE(f.dialogs.texts(), QStringList{text});
            QCOMPARE(f.dialogs.last().request.title, title);
            QCOMPARE(f.dialogs.last().request.icon, DialogIcon::Warning);
            QCOMPARE(f.dialogs.last().request.buttons, DialogButtons::Ok);
            QVERIFY(f.navigator.calls.isEmpty());
        }
    }

    void enterOrdersRefusesAnUnregisteredNumber()
    {
        Fixture f;
        f.number()->setText(QStringLiteral("999"));
        f.dialogs.answerOk();
        f.click(QStringLiteral("EnterOrders"));
        QCOMPARE(f.dialogs.texts(),
                 QStringList{"The Empire you have selected has not been set up for Turn Entry"});
        f.number()->setText(QStringLiteral("456"));
        f.click(QStringLiteral("EnterOrders"));
        f.click(QStringLiteral("EditOrders"));
        QCOMPARE(f.navigator.calls, (QStringList{"entry 456", "listing 456"}));
    }

    // Alt and a letter presses each button; no two alike, none taken by the menus.
    void everyButtonHasItsOwnAltKey()
    {
        Fixture f;
        QVERIFY(f.showActive());
        QTest::keyClicks(f.name(), QStringLiteral("Iron Veil"));
        QTest::keyClick(f.window.get(), Qt::Key_E, Qt::AltModifier);
        QTest::keyClick(f.window.get(), Qt::Key_D, Qt::AltModifier);
        QCOMPARE(f.navigator.calls, (QStringList{"entry 456", "listing 456"}));
        QStringList keys;
        for (const QShortcut* key : f.window->findChildren<QShortcut*>())
            keys << key->key().toString();
        for (const QAction* menu : f.window->menuBar()->actions())
            keys << QKeySequence::mnemonic(menu->text()).toString();
        QCOMPARE(keys.size(), 9); // the picture buttons', the menus', Shift+F10
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
    }

    void fileExitEndsTheProgram()
    {
        Fixture f;
        QAction* exit = f.window->findChild<QAction*>(QStringLiteral("mnuFile_Exit"));
        QVERIFY(exit);
        QCOMPARE(exit->text(), QStringLiteral("E&xit"));
        exit->trigger();
        QCOMPARE(f.navigator.calls, QStringList{"exit"});
    }

    void theNumberAndPasswordBoxesAreNotTyped()
    {
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        QTest::mouseClick(f.number(), Qt::LeftButton);
        QTest::keyClicks(f.number(), QStringLiteral("999"));
        QTest::mouseClick(f.password(), Qt::LeftButton);
        QTest::keyClicks(f.password(), QStringLiteral("guess"));
        QCOMPARE(f.number()->text(), QStringLiteral("123"));
        QCOMPARE(f.password()->text(), QStringLiteral("tinderly"));
    }

    void helpShowsTheGuideAndAbout()
    {
        Fixture f;
        f.context.userGuide = TestStore::dataFile(QStringLiteral("../../README.md"));
        // F1 opens it, Escape closes it.
        QVERIFY(f.showActive());
        QTest::keyClick(f.window.get(), Qt::Key_F1);
        QPointer<QTextBrowser> guide = qobject_cast<QTextBrowser*>(Fixture::topLevel("UserGuide"));
        QVERIFY(guide && guide->isVisible());
        QVERIFY(guide->toPlainText().contains(QStringLiteral("What you do each turn")));
        // The player's part only, with its pictures.
        QVERIFY(!guide->toPlainText().contains(QStringLiteral("Building from source")));
        QVERIFY(!guide->toPlainText().contains(QStringLiteral("The Windows build")));
        QVERIFY(!guide->document()
                     ->resource(QTextDocument::ImageResource,
                                QUrl(QStringLiteral("docs/main-menu.png")))
                     .isNull());
        QTRY_COMPARE(QApplication::activeWindow(), guide.data());
        QTest::keyClick(guide, Qt::Key_Escape);
        QTRY_VERIFY(!guide || !guide->isVisible());

        f.dialogs.answerOk();
        f.window->findChild<QAction*>(QStringLiteral("mnuHelp_About"))->trigger();
        const DialogRequest about = f.dialogs.last().request;
        QCOMPARE(about.title, QStringLiteral("About VF Turn Entry"));
        QVERIFY(about.text.startsWith(QStringLiteral("VF Turn Entry " VFTURN_VERSION)));
        QVERIFY(about.text.contains(QStringLiteral("GPL-3.0-or-later")));
        QVERIFY(about.text.endsWith(QDir::toNativeSeparators(f.t.path())));
        QCOMPARE(about.folderToOpen, f.t.folder().folder());

        f.context.userGuide = f.t.path() + QStringLiteral("/nowhere/README.md");
        f.dialogs.answerOk();
        f.window->findChild<QAction*>(QStringLiteral("mnuHelp_Guide"))->trigger();
        QVERIFY(f.dialogs.last().request.text.contains(QStringLiteral("it is not there")));
    }

    // A picture button with the focus (reached by Tab) is pressed by Enter as by Space.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Enter of the keypad") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(int, key);
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        auto* button = f.window->findChild<QToolButton*>(QStringLiteral("EnterOrders"));
        for (int i = 0; i < 12 && QApplication::focusWidget() != button; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button);
        QTest::keyClick(button, Qt::Key(key));
        QCOMPARE(f.navigator.calls, QStringList{QStringLiteral("entry 123")});
    }

    void ctrlQQuits()
    {
        Fixture f;
        QVERIFY(f.showActive());
        QTest::keyClick(f.window.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(f.navigator.calls, QStringList{QStringLiteral("exit")});
    }

    void aDatabaseFailureIsShownAndTheWindowGoesOn()
    {
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Iron Veil")));
        f.t.store().run(QStringLiteral("DROP TABLE Orders"));
        f.dialogs.answer(DialogAnswer::Yes);
        f.dialogs.answerOk();
        f.click(QStringLiteral("ClearOrders"));
        QCOMPARE(f.dialogs.records().size(), 2);
        QVERIFY(f.dialogs.last().request.text.contains(QStringLiteral("no such table")));
        QVERIFY(f.window->isEnabled());
    }
};

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
