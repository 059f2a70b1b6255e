#include "AppFixture.h"
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

// Takes the file addresses the program asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }
};

class TestMainMenu : public QObject {
    Q_OBJECT

    struct Fixture : AppFixture {
        std::unique_ptr<MainMenuWindow> window;

        explicit Fixture(bool withEmpires = true)
        {
            if (withEmpires) {
                t.addEmpire(123, QStringLiteral("Sable Concord"), QStringLiteral("tinderly"));
                t.addEmpire(456, QStringLiteral("Iron Veil"), QStringLiteral("s3cret!"));
                t.addEmpire(77, QStringLiteral("O'Neil's Realm"), QStringLiteral("tinderly"));
            }
            window = std::make_unique<MainMenuWindow>(context, navigator);
        }
        QComboBox* name() { return window->findChild<QComboBox*>(QStringLiteral("EmpireName")); }
        QLineEdit* number() { return window->findChild<QLineEdit*>(QStringLiteral("Text2")); }
        QLineEdit* password() { return window->findChild<QLineEdit*>(QStringLiteral("Text1")); }
        void click(const QString& button)
        {
            QTest::mouseClick(window->findChild<QToolButton*>(button), Qt::LeftButton);
        }
        [[nodiscard]] bool showActive()
        {
            window->show();
            window->activateWindow();
            VF_CHECK(QTest::qWaitForWindowActive(window.get()));
            return true;
        }
        // Picks the empire from the name box's list, with the mouse.
        [[nodiscard]] bool pick(const QString& empire)
        {
            return showActive() && pickFromList(name(), empire);
        }
        // A click into the name box, all of its text selected, and the keys typed.
        [[nodiscard]] bool typeName(const QString& text)
        {
            if (!showActive())
                return false;
            QTest::mouseClick(name()->lineEdit(), Qt::LeftButton);
            name()->lineEdit()->selectAll();
            QTest::keyClicks(name(), text);
            return true;
        }
        // The player leaves the name box with the Tab key.
        [[nodiscard]] bool leaveName()
        {
            VF_CHECK(name()->hasFocus());
            QTest::keyClick(name(), Qt::Key_Tab);
            VF_CHECK(!name()->hasFocus());
            return true;
        }
        // Shows the window and types into the name box the way a player does: a click into it,
        // then the keys.
        [[nodiscard]] bool typeIntoName(const QString& text)
        {
            if (!showActive())
                return false;
            QTest::mouseClick(name()->lineEdit(), Qt::LeftButton);
            VF_CHECK(name()->hasFocus());
            QTest::keyClicks(name(), text);
            return true;
        }
        static QWidget* topLevel(const char* name)
        {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() == QLatin1String(name))
                    return widget;
            }
            return nullptr;
        }
        QStringList listed()
        {
            QStringList names;
            for (int i = 0; i < name()->count(); ++i)
                names << name()->itemText(i);
            return names;
        }
    };

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
        QCOMPARE(keys.size(), 8);
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
    }

    void choosingByClickRecordsTheEmpire()
    {
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Iron Veil")));
        QCOMPARE(f.number()->text(), QStringLiteral("456"));
        QCOMPARE(f.password()->text(), QStringLiteral("s3cret!"));
        QCOMPARE(f.context.currentEmpireId, 456);
        QVERIFY(f.pick(QStringLiteral("O'Neil's Realm")));
        QCOMPARE(f.number()->text(), QStringLiteral("77"));
        QCOMPARE(f.context.currentEmpireId, 77);
    }

    void choosingByTypingAndEnter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("as registered") << "Iron Veil";
        // Letter case does not count, as in the old program.
        QTest::newRow("small letters") << "iron veil";
        QTest::newRow("capitals") << "IRON VEIL";
    }
    void choosingByTypingAndEnter()
    {
        QFETCH(QString, typed);
        Fixture f;
        QVERIFY(f.typeName(typed));
        QCOMPARE(f.context.currentEmpireId, 0);
        QTest::keyClick(f.name(), Qt::Key_Return);
        QCOMPARE(f.number()->text(), QStringLiteral("456"));
        QCOMPARE(f.password()->text(), QStringLiteral("s3cret!"));
        QCOMPARE(f.context.currentEmpireId, 456);
        QCOMPARE(f.listed().size(), 3); // Enter adds nothing to the list
    }

    void aKeyLooksUpTheTextBeforeIt()
    {
        Fixture f;
        QVERIFY(f.typeName(QStringLiteral("Iron Veil")));
        QTest::keyClick(f.name(), Qt::Key_X);
        QCOMPARE(f.number()->text(), QStringLiteral("456"));
        QCOMPARE(f.name()->currentText(), QStringLiteral("Iron Veilx"));
        QCOMPARE(f.context.currentEmpireId, 456);
        QTest::keyClick(f.name(), Qt::Key_Y);
        QCOMPARE(f.number()->text(), QString());
        QCOMPARE(f.password()->text(), QStringLiteral("s3cret!"));
        QCOMPARE(f.context.currentEmpireId, 456);
    }

    void choosingByTypingAndLeavingDoesNotRecord()
    {
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        QVERIFY(f.typeName(QStringLiteral("Iron Veil")));
        QVERIFY(f.leaveName());
        QCOMPARE(f.number()->text(), QStringLiteral("456"));
        QCOMPARE(f.context.currentEmpireId, 123);
        f.window->loadAfresh();
        QCOMPARE(f.name()->currentText(), QStringLiteral("Sable Concord"));
        QCOMPARE(f.number()->text(), QStringLiteral("123"));
        QCOMPARE(f.password()->text(), QStringLiteral("tinderly"));
    }

    void aMissEmptiesTheNumberButKeepsThePassword()
    {
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Iron Veil")));
        QVERIFY(f.typeName(QStringLiteral("Nobody")));
        QVERIFY(f.leaveName());
        QCOMPARE(f.number()->text(), QString());
        QCOMPARE(f.password()->text(), QStringLiteral("s3cret!"));
    }

    void theChosenEmpireSurvivesAReload()
    {
        Fixture f;
        f.window->loadAfresh();
        QCOMPARE(f.number()->text(), QString());
        QVERIFY(f.pick(QStringLiteral("O'Neil's Realm")));
        auto again = std::make_unique<MainMenuWindow>(f.context, f.navigator);
        QCOMPARE(again->findChild<QLineEdit*>(QStringLiteral("Text2"))->text(),
                 QStringLiteral("77"));
        QCOMPARE(again->findChild<QComboBox*>(QStringLiteral("EmpireName"))->currentText(),
                 QStringLiteral("O'Neil's Realm"));
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

    void newEmpire_data()
    {
        QTest::addColumn<QStringList>("answers"); // typed number, then name; "<cancel>" cancels
        QTest::addColumn<int>("dialogs");
        QTest::addColumn<QString>("lastText");
        QTest::addColumn<int>("empires");
        const QString done = QStringLiteral("All done setting up this new Empire!");
        QTest::newRow("accepted") << QStringList{"900", "Vast Dominion"} << 4 << done << 4;
        QTest::newRow("same name, other number")
            << QStringList{"901", "Iron Veil"} << 4 << done << 4;
        QTest::newRow("duplicate")
            << QStringList{"456", "Anything"} << 4
            << "Empire # 456 has already been set up for Voidfire Turn Entry!" << 3;
        QTest::newRow("zero") << QStringList{"0"} << 2 << "" << 3;
        QTest::newRow("negative") << QStringList{"-5"} << 2 << "" << 3;
        QTest::newRow("word") << QStringList{"ten"} << 2 << "" << 3;
        QTest::newRow("empty number") << QStringList{""} << 2 << "" << 3;
        QTest::newRow("cancel at number") << QStringList{"<cancel>"} << 2 << "" << 3;
        QTest::newRow("trailing letters")
            << QStringList{"12abc"} << 3 << "\"12abc\" is not an Empire #" << 3;
        QTest::newRow("too large")
            << QStringList{"99999999999"} << 3 << "\"99999999999\" is not an Empire #" << 3;
        QTest::newRow("empty name") << QStringList{"900", ""} << 3 << "" << 3;
        QTest::newRow("cancel at name") << QStringList{"900", "<cancel>"} << 3 << "" << 3;
    }
    void newEmpire()
    {
        QFETCH(QStringList, answers);
        QFETCH(int, dialogs);
        QFETCH(QString, lastText);
        QFETCH(int, empires);
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Iron Veil")));
        f.dialogs.answerOk(dialogs - int(answers.size()));
        for (const QString& answer : answers) {
            if (answer == QLatin1String("<cancel>"))
                f.dialogs.cancelInput();
            else
                f.dialogs.type(answer);
        }
        f.click(QStringLiteral("NewEmpire"));
        const auto& records = f.dialogs.records();
        QCOMPARE(records.size(), dialogs);
        QCOMPARE(records[0].request.title, QStringLiteral("New Empire Setup"));
        QCOMPARE(records[0].request.icon, DialogIcon::Information);
        QCOMPARE(
            records[0].request.text,
            QStringLiteral(
                "This is how you add information about a new Voidfire Empire into this Turn Entry "
                "Program.  Enter nothing by pressing your 'Enter' key at any of the following "
                "steps "
                "to get out of this procedure."));
        QCOMPARE(records[1].request.title, QStringLiteral("New Empire #"));
        QCOMPARE(records[1].request.text,
                 QStringLiteral("What is the Empire # that you want entered into the Voidfire Turn "
                                "Entry Program?"));
        if (!lastText.isEmpty())
            QVERIFY2(records.last().request.text.startsWith(lastText),
                     qPrintable(records.last().request.text));
        if (lastText.contains(QLatin1String("is not an Empire")))
            QCOMPARE(records.last().request.title, QStringLiteral("New Empire Setup"));
        QCOMPARE(EmpireRepository(f.t.store()).all().size(), empires);
        QCOMPARE(f.listed().size(), empires);
        QCOMPARE(f.number()->text(), QStringLiteral("456")); // the new empire is not chosen
        QVERIFY(f.dialogs.allAnswersUsed());
    }

    void newEmpireStoresTheDefaultPassword()
    {
        Fixture f(false);
        f.dialogs.answerOk(2);
        f.dialogs.type(QStringLiteral("900"));
        f.dialogs.type(QStringLiteral("  Vast Dominion "));
        f.click(QStringLiteral("NewEmpire"));
        const auto empire = EmpireRepository(f.t.store()).findById(900);
        QVERIFY(empire);
        QCOMPARE(empire->name, QStringLiteral("  Vast Dominion "));
        QCOMPARE(empire->password, QStringLiteral("tinderly"));
        QCOMPARE(f.dialogs.records()[2].request.title, QStringLiteral("New Empire Name"));
        QCOMPARE(f.dialogs.last().request.title, QStringLiteral("Imperial Library Entry"));
        QCOMPARE(f.listed(), QStringList{"  Vast Dominion "});
    }

    void clearOrders_data()
    {
        QTest::addColumn<int>("orders");
        QTest::addColumn<QList<int>>("answers"); // 1 yes, 0 no
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("left");
        const QString first =
            QStringLiteral("Are you sure you wish to delete all orders entered for Iron Veil?");
        QTest::newRow("no orders") << 0 << QList<int>{1} << QStringList{first} << 0;
        QTest::newRow("one order") << 1 << QList<int>{1, 1}
                                   << QStringList{first,
                                                  "Iron Veil currently has 1 order entered - are "
                                                  "you sure that you want to delete this order?",
                                                  "Imperial Bureaucrats indicate that 1 order was "
                                                  "stricken from Imperial Records as directed"}
                                   << 0;
        QTest::newRow("two orders")
            << 2 << QList<int>{1, 1}
            << QStringList{first,
                           "Iron Veil currently has 2 orders entered - are you sure that you want "
                           "to delete all of these orders?",
                           "Imperial Bureaucrats indicate that 2 orders were stricken from "
                           "Imperial Records as directed"}
            << 0;
        QTest::newRow("no at first") << 2 << QList<int>{0} << QStringList{first} << 2;
        QTest::newRow("no at second")
            << 2 << QList<int>{1, 0}
            << QStringList{first, "Iron Veil currently has 2 orders entered - are you sure that "
                                  "you want to delete all of these orders?"}
            << 2;
    }
    void clearOrders()
    {
        QFETCH(int, orders);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, texts);
        QFETCH(int, left);
        Fixture f;
        const OrderRepository repository(f.t.store());
        for (int i = 0; i < orders; ++i)
            repository.append(456, QStringLiteral("TREE"), TestStore::slots());
        repository.append(123, QStringLiteral("TREE"), TestStore::slots());
        QVERIFY(f.pick(QStringLiteral("Iron Veil")));
        for (int answer : answers)
            f.dialogs.answer(answer ? DialogAnswer::Yes : DialogAnswer::No);
        if (texts.size() > answers.size())
            f.dialogs.answerOk();
        f.click(QStringLiteral("ClearOrders"));
        QCOMPARE(f.dialogs.texts(), texts);
        for (int i = 0; i < qMin(2, texts.size()); ++i) {
            QCOMPARE(f.dialogs.records()[i].request.title,
                     QStringLiteral("Imperial Advisor Warning"));
            QCOMPARE(f.dialogs.records()[i].request.buttons, DialogButtons::YesNo);
            QCOMPARE(f.dialogs.records()[i].request.icon, DialogIcon::Question);
        }
        if (texts.size() == 3)
            QCOMPARE(f.dialogs.last().request.title, QStringLiteral("Imperial Bureaucrat Report"));
        QCOMPARE(repository.count(456), left);
        QCOMPARE(repository.count(123), 1);
    }

    // Through the real message boxes, with the keys a hasty player presses: Enter on each
    // question answers No.
    void enterAloneNeverDeletesOrImports_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Clear Orders") << "ClearOrders";
        QTest::newRow("Update Data with another empire's file") << "UpdateData";
    }
    void enterAloneNeverDeletesOrImports()
    {
        QFETCH(QString, button);
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        OrderRepository(f.t.store()).append(123, QStringLiteral("TREE"), TestStore::slots());
        QVERIFY(QFile::copy(TestStore::dataFile(QStringLiteral("126.mdb")),
                            f.t.folder().turnResultsFile(QStringLiteral("123"))));
        QtDialogs dialogs;
        AppContext real = f.contextWith(dialogs);
        f.window = std::make_unique<MainMenuWindow>(real, f.navigator);
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        QStringList asked;
        // Every message box, as it comes (a progress dialog may come between them), answered
        // once.
        {
            const ModalAnswerer player([&asked](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                if (!box)
                    return;
                asked << box->text();
                // The instructions of Update Data are answered OK; every question by Enter
                // alone.
                if (box->text().startsWith(QStringLiteral("Make sure")))
                    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
                else
                    QTest::keyClick(box, Qt::Key_Return);
            });
            f.click(button);
        }
        QVERIFY(!asked.isEmpty());
        QCOMPARE(OrderRepository(f.t.store()).count(123), 1);
        QCOMPARE(f.t.count(QStringLiteral("Fleets"), 123), 6);
    }

    void clearedOrdersCanBeRestored()
    {
        Fixture f;
        const OrderRepository orders(f.t.store());
        orders.append(456, QStringLiteral("TREE"), TestStore::slots());
        orders.append(456, QStringLiteral("RTD"), TestStore::slots());
        QVERIFY(f.pick(QStringLiteral("Iron Veil")));
        f.dialogs.answer(DialogAnswer::Yes);
        f.dialogs.answer(DialogAnswer::Yes);
        f.dialogs.answerOk();
        f.click(QStringLiteral("ClearOrders"));
        QCOMPARE(orders.count(456), 0);
        orders.append(456, QStringLiteral("NM"), TestStore::slots({"27", "Sol", "3"}));
        const auto restore = [&f] {
            f.window->findChild<QAction*>(QStringLiteral("mnuFile_RestoreCleared"))->trigger();
        };
        f.dialogs.answer(DialogAnswer::Yes);
        f.dialogs.answerOk();
        restore();
        QCOMPARE(f.dialogs.records()[3].request.text,
                 QStringLiteral("Empire # 456 has 1 order now. The 2 orders cleared last would be "
                                "added after them, in their own order. Restore them?"));
        QCOMPARE(f.dialogs.records()[3].request.defaultAnswer, DialogAnswer::No);
        QCOMPARE(f.dialogs.last().request.text,
                 QStringLiteral("2 orders were restored to Imperial Records for Empire # 456."));
        QStringList kept;
        for (const Order& order : orders.ordersOf(456))
            kept << QStringLiteral("%1 %2").arg(order.priority).arg(order.code);
        QCOMPARE(kept, (QStringList{"10 NM", "20 TREE", "30 RTD"}));
        f.dialogs.answerOk();
        restore(); // the kept orders are back: none is kept any more
        QCOMPARE(f.dialogs.last().request.text,
                 QStringLiteral("No cleared orders are kept for Empire # 456."));
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

    void ironAndIrony(Fixture& f)
    {
        f.t.addEmpire(1, QStringLiteral("Iron"));
        f.t.addEmpire(2, QStringLiteral("Irony"));
        const OrderRepository orders(f.t.store());
        orders.append(1, QStringLiteral("RTD"), TestStore::slots());
        orders.append(1, QStringLiteral("RTD"), TestStore::slots());
        orders.append(2, QStringLiteral("RTD"), TestStore::slots());
        f.window->reloadEmpireList();
    }

    void clearOrdersActsOnTheTypedName()
    {
        // The picture button takes no focus: the typed name must be looked up before the
        // action reads the number, or Iron's orders go for Irony's.
        Fixture f(false);
        ironAndIrony(f);
        QVERIFY(f.typeIntoName(QStringLiteral("Irony")));
        f.dialogs.answer(DialogAnswer::Yes);
        f.dialogs.answer(DialogAnswer::Yes);
        f.dialogs.answerOk();
        f.click(QStringLiteral("ClearOrders"));
        QCOMPARE(f.dialogs.texts().at(1),
                 QStringLiteral("Irony currently has 1 order entered - are you sure that you "
                                "want to delete this order?"));
        QCOMPARE(f.t.count(QStringLiteral("Orders"), 1), 2);
        QCOMPARE(f.t.count(QStringLiteral("Orders"), 2), 0);
        QCOMPARE(f.number()->text(), QStringLiteral("2"));
    }

    void everyActionReadsTheTypedName_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Enter Orders") << "EnterOrders"
                                      << "Irony"
                                      << "entry 2";
        QTest::newRow("Edit Orders") << "EditOrders"
                                     << "Irony"
                                     << "listing 2";
        QTest::newRow("Enter Orders, shorter name") << "EnterOrders"
                                                    << "Iron"
                                                    << "entry 1";
        QTest::newRow("Save Orders") << "SaveOrders"
                                     << "Irony"
                                     << "1 orders have been entered "
                                        "for Empire # 2";
        QTest::newRow("Update Data") << "UpdateData"
                                     << "Irony"
                                     << "2.mdb   and it contains";
    }
    void everyActionReadsTheTypedName()
    {
        QFETCH(QString, button);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        Fixture f(false);
        ironAndIrony(f);
        QVERIFY(f.typeIntoName(typed));
        if (!expected.startsWith(QStringLiteral("entry")) &&
            !expected.startsWith(QStringLiteral("listing")))
            f.dialogs.answer(DialogAnswer::Cancel);
        f.click(button);
        const QString seen =
            f.navigator.calls.join(QLatin1Char(',')) + f.dialogs.texts().join(QLatin1Char(','));
        QVERIFY2(seen.contains(expected), qPrintable(seen));
    }

    void onlyEditingKeysAndEnterChooseTheEmpire_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("chosen");
        // Typing "Irony" chose Iron on its last key (a key looks up the text before it).
        QTest::newRow("Right") << int(Qt::Key_Right) << 1;
        QTest::newRow("Left") << int(Qt::Key_Left) << 1;
        QTest::newRow("Home") << int(Qt::Key_Home) << 1;
        QTest::newRow("Shift") << int(Qt::Key_Shift) << 1;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << 1;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 2;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 2;
        QTest::newRow("a letter") << int(Qt::Key_X) << 2;
    }
    void onlyEditingKeysAndEnterChooseTheEmpire()
    {
        QFETCH(int, key);
        QFETCH(int, chosen);
        Fixture f(false);
        ironAndIrony(f);
        QVERIFY(f.typeIntoName(QStringLiteral("Irony")));
        QCOMPARE(f.context.currentEmpireId, 1);
        QTest::keyClick(f.name(), Qt::Key(key));
        QCOMPARE(f.context.currentEmpireId, chosen);
    }

    void cancelEndsTheImportAndTheWindowKeepsPainting()
    {
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        QVERIFY(QFile::copy(TestStore::dataFile(QStringLiteral("123.mdb")),
                            f.t.folder().turnResultsFile(QStringLiteral("123"))));
        f.context.readerPath = f.t.fakeReader(QStringLiteral("sleep 60"));
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        f.dialogs.answerOk(2);
        // A timer that goes on ticking while the reader runs is the window going on painting;
        // after a few ticks with the progress showing it presses Cancel. (The checks are made
        // after the import: a failed check in here would leave the dialog open.)
        int ticks = 0;
        bool sawProgress = false;
        bool modal = false;
        QTimer painter;
        connect(&painter, &QTimer::timeout, [&] {
            auto* progress = qobject_cast<QProgressDialog*>(Fixture::topLevel("ImportProgress"));
            if (!progress || !progress->isVisible() || sawProgress)
                return;
            if (++ticks < 10)
                return;
            sawProgress = true;
            modal = progress->windowModality() == Qt::ApplicationModal;
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        });
        painter.start(10);
        QElapsedTimer clock;
        clock.start();
        f.click(QStringLiteral("UpdateData"));
        QVERIFY(sawProgress);
        QVERIFY(modal);
        QVERIFY2(clock.elapsed() < 30000, "Cancel did not end the reading");
        QVERIFY2(f.dialogs.last().request.text.contains(QStringLiteral("cancelled")),
                 qPrintable(f.dialogs.last().request.text));
        QCOMPARE(f.t.count(QStringLiteral("Fleets"), 123), 6);
    }

    void anotherEmpiresFileIsImportedOnlyWhenThePlayerSaysSo_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("fleetsLeft");
        QTest::newRow("No") << int(DialogAnswer::No) << 6;
        QTest::newRow("Yes") << int(DialogAnswer::Yes) << 0;
    }
    void anotherEmpiresFileIsImportedOnlyWhenThePlayerSaysSo()
    {
        QFETCH(int, answer);
        QFETCH(int, fleetsLeft);
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        // 126's file saved under 123's name.
        QVERIFY(QFile::copy(TestStore::dataFile(QStringLiteral("126.mdb")),
                            f.t.folder().turnResultsFile(QStringLiteral("123"))));
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        f.dialogs.answerOk();
        f.dialogs.answer(DialogAnswer(answer));
        if (DialogAnswer(answer) == DialogAnswer::Yes)
            f.dialogs.answerOk();
        f.click(QStringLiteral("UpdateData"));
        const DialogRequest question = f.dialogs.at(1).request;
        QCOMPARE(question.buttons, DialogButtons::YesNo);
        QVERIFY2(question.text.contains(QStringLiteral("belongs to Empire # 123")) &&
                     question.text.contains(QStringLiteral("rows of Empire # 126, 999 only")),
                 qPrintable(question.text));
        QCOMPARE(f.t.count(QStringLiteral("Fleets"), 123), fleetsLeft);
        QVERIFY(f.dialogs.allAnswersUsed());
    }

    void theSavedMessagePointsAtTheFileName()
    {
        // Through the real dialogs: the message is shown unwrapped, as written, and its
        // pointer stands under the file name.
        Fixture f;
        OrderRepository(f.t.store()).append(123, QStringLiteral("TREE"), TestStore::slots());
        QtDialogs dialogs;
        AppContext context = f.contextWith(dialogs);
        QString shown;
        int pointer = -1;
        int nameStart = 0;
        int nameEnd = 0;
        bool wrapped = true;
        bool proportional = true;
        const ModalAnswerer answer([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
                return;
            }
            if (modal->objectName() != QLatin1String("PreformattedMessage")) {
                modal->close(); // shown is left empty: the test fails without waiting
                return;
            }
            auto* label = modal->findChild<QLabel*>(QStringLiteral("MessageText"));
            shown = label->text();
            wrapped = label->wordWrap();
            const QFontMetrics metrics(label->font());
            proportional = metrics.horizontalAdvance(QLatin1Char(' ')) <
                           metrics.horizontalAdvance(QLatin1Char('W'));
            const QString named =
                QStringLiteral("They were saved into a file named") + QString(56, QLatin1Char(' '));
            pointer = metrics.horizontalAdvance(QString(133, QLatin1Char(' ')));
            nameStart = metrics.horizontalAdvance(named);
            nameEnd = nameStart +
                      metrics.horizontalAdvance(QStringLiteral("KELVAR Orders 12-07-2026.123"));
            QTest::mouseClick(modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
        });
        runSaveOrdersDialogue(context, 123);
        QVERIFY(!wrapped);
        QVERIFY(shown.contains(QString(133, QLatin1Char(' ')) + QStringLiteral("|\n")));
        if (!proportional)
            QSKIP("this system has no proportional font to show the message in (Wine offscreen)");
        QVERIFY2(pointer > nameStart && pointer < nameEnd,
                 qPrintable(QStringLiteral("pointer at %1, name from %2 to %3")
                                .arg(pointer)
                                .arg(nameStart)
                                .arg(nameEnd)));
    }

    // Save Orders checks the orders first: with some that will fail it asks, Review Orders
    // being the default; each answer is clicked with the mouse, as a player does; Escape
    // reviews too (nothing written).
    void saveOrdersAsksBeforeWritingOrdersThatWillFail_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::newRow("Save Anyway") << "Save Anyway";
        QTest::newRow("Review Orders") << "Review Orders";
        QTest::newRow("Escape") << "Escape";
    }
    void saveOrdersAsksBeforeWritingOrdersThatWillFail()
    {
        QFETCH(QString, choice);
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        const OrderRepository orders(f.t.store());
        orders.append(123, QStringLiteral("NM"), TestStore::slots({"27", "Sol", "3"}));
        orders.append(123, QStringLiteral("MOVE"), TestStore::slots());
        QtDialogs dialogs;
        AppContext context = f.contextWith(dialogs);
        QString question;
        QString defaultButton;
        const ModalAnswerer answer([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) { // the message that says where the file is
                QTest::mouseClick(
                    modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                    Qt::LeftButton);
                return;
            }
            QAbstractButton* target = box->button(QMessageBox::Ok);
            if (box->text().contains(QStringLiteral("will fail to execute"))) {
                question = box->text();
                defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
                for (QAbstractButton* button : box->buttons()) {
                    if (button->text() == choice)
                        target = button;
                }
                if (choice == QLatin1String("Escape")) {
                    QTest::keyClick(box, Qt::Key_Escape);
                    return;
                }
            }
            QTest::mouseClick(target, Qt::LeftButton);
        });
        bool reviewed = false;
        runSaveOrdersDialogue(context, 123,
                              [&reviewed](const OrderCheckReport&) { reviewed = true; });
        QCOMPARE(question, QStringLiteral("1 of your 2 orders will fail to execute:\n\n"
                                          "Priority 20, MOVE: Fleet # is missing.\n"
                                          "Priority 20, MOVE: Warp Point # is missing.\n\n"
                                          "Review Orders shows every finding; Save Anyway writes "
                                          "the orders file as the orders stand."));
        QCOMPARE(defaultButton, QStringLiteral("Review Orders"));
        const QString file = QDir(f.t.folder().ordersFolder())
                                 .filePath(QStringLiteral("KELVAR Orders 12-07-2026.123"));
        QCOMPARE(reviewed, choice != QLatin1String("Save Anyway"));
        if (reviewed) {
            QVERIFY(!QFile::exists(file));
            return;
        }
        QByteArray blanks;
        for (int slot = 0; slot < 51; ++slot)
            blanks += ",\" \"";
        QCOMPARE(TestStore::contentsOf(file),
                 "\"KELVAR Orders\",\"123\",\"tinderly\"\r\n\"NM\",\"27\",\"Sol\",\"3\"" +
                     blanks.mid(3 * 4) + "\r\n\"MOVE\"" + blanks + "\r\n");
    }

    void checkOrdersFromTheFileMenu_data()
    {
        QTest::addColumn<QStringList>("slots");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("every order passes")
            << QStringList{"27", "Sol", "3"}
            << "1 order of Empire # 123 checked: every one passed, none should fail to execute.";
        QTest::newRow("an order fails") << QStringList{"99", "Sol", "3"} << "CheckOrders";
    }
    void checkOrdersFromTheFileMenu()
    {
        QFETCH(QStringList, slots);
        QFETCH(QString, outcome);
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        OrderRepository(f.t.store()).append(123, QStringLiteral("NM"), TestStore::slots(slots));
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        f.dialogs.answerOk();
        f.window->findChild<QAction*>(QStringLiteral("mnuFile_CheckOrders"))->trigger();
        QPointer<QWidget> findings = Fixture::topLevel("CheckOrders");
        if (outcome == QLatin1String("CheckOrders")) {
            QVERIFY(findings && findings->isVisible());
            QVERIFY(f.dialogs.records().isEmpty());
            QTRY_COMPARE(QApplication::activeWindow(), findings.data());
            QTest::keyClick(findings, Qt::Key_Escape);
            QTRY_VERIFY(!findings || !findings->isVisible());
            return;
        }
        QVERIFY(!findings || !findings->isVisible());
        QCOMPARE(f.dialogs.last().request.text, outcome);
    }

    // The message that says where the orders were saved: its text as ever, and the folder
    // and the file name apart, to select and copy; Open Folder shows the folder.
    // Without a file manager to show the folder, Open Folder says so, naming the folder.
    void theSavedMessageShowsTheFolderToCopyAndOpen_data()
    {
        QTest::addColumn<bool>("fileManager");
        QTest::newRow("a file manager") << true;
        QTest::newRow("none") << false;
    }
    void theSavedMessageShowsTheFolderToCopyAndOpen()
    {
        QFETCH(bool, fileManager);
        Fixture f;
        OrderRepository(f.t.store()).append(123, QStringLiteral("TREE"), TestStore::slots());
        QtDialogs dialogs;
        AppContext context = f.contextWith(dialogs);
        std::optional<UrlCatcher> catcher;
        if (fileManager)
            catcher.emplace();
        QString folder;
        QString file;
        QStringList told;
        bool fits = false;
        const ModalAnswerer answer([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                told << box->text();
                QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
                return;
            }
            if (auto* field = modal->findChild<QLineEdit*>(QStringLiteral("Folder")))
                folder = field->text();
            if (auto* field = modal->findChild<QLineEdit*>(QStringLiteral("File")))
                file = field->text();
            fits = modal->width() <= modal->screen()->availableGeometry().width();
            if (auto* open = modal->findChild<QPushButton*>(QStringLiteral("OpenFolder")))
                QTest::mouseClick(open, Qt::LeftButton);
            QTest::mouseClick(modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
        });
        runSaveOrdersDialogue(context, 123);
        QCOMPARE(folder, f.t.folder().displayOrdersFolder());
        QCOMPARE(file, QStringLiteral("KELVAR Orders 12-07-2026.123"));
        QVERIFY(fits);
        const QString notShown = QStringLiteral("The folder %1 could not be shown")
                                     .arg(QDir::toNativeSeparators(f.t.folder().ordersFolder()));
        if (fileManager) {
            QCOMPARE(catcher->opened,
                     QList<QUrl>{QUrl::fromLocalFile(f.t.folder().ordersFolder())});
            QVERIFY(!told.join(u'|').contains(notShown));
        } else {
            QVERIFY2(told.join(u'|').contains(notShown), qPrintable(told.join(u'|')));
        }
    }

    void theOldDatabaseIsOfferedOnceAtStart_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("empires");
        QTest::newRow("No") << int(DialogAnswer::No) << 0;
        QTest::newRow("Yes") << int(DialogAnswer::Yes) << 3;
    }
    void theOldDatabaseIsOfferedOnceAtStart()
    {
        QFETCH(int, answer);
        QFETCH(int, empires);
        Fixture f(false);
        QVERIFY(QFile::copy(TestStore::dataFile(QStringLiteral("legacy/VF Turn Entry Data.mdb")),
                            f.t.path() + QStringLiteral("/VF Turn Entry Data.mdb")));
        f.dialogs.answer(DialogAnswer(answer));
        if (DialogAnswer(answer) == DialogAnswer::Yes)
            f.dialogs.answerOk();
        f.window->offerOldDatabase();
        QCOMPARE(f.listed().size(), empires);
        QVERIFY(f.dialogs.allAnswersUsed());
        // Never asked again: after No, or once empires are registered.
        f.dialogs.clear();
        f.window->offerOldDatabase();
        QVERIFY(f.dialogs.records().isEmpty());
        if (empires > 0)
            QVERIFY(f.dialogs.allAnswersUsed());
    }

    void theFileMenuBringsTheOldDatabaseOver()
    {
        Fixture f;
        f.dialogs.choose(TestStore::dataFile(QStringLiteral("legacy/VF Turn Entry Data.mdb")));
        f.dialogs.answerOk();
        f.window->findChild<QAction*>(QStringLiteral("mnuFile_ImportOld"))->trigger();
        QCOMPARE(f.dialogs.records().first().request.text,
                 f.t.path() + QStringLiteral(" Access databases (*.mdb)"));
        const QString report = f.dialogs.last().request.text;
        QVERIFY2(report.contains(QStringLiteral("empires: 0\norders: 0\nrows of turn data: 0")) &&
                     report.contains(QStringLiteral("Empire # 77, 123, 456")),
                 qPrintable(report));
        QCOMPARE(f.t.count(QStringLiteral("Fleets")), 0);
    }

    void changingThePassword_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("a new one") << "n3w p\u00E4ss"
                                   << "n3w p\u00E4ss";
        QTest::newRow("empty") << ""
                               << "tinderly";
        QTest::newRow("a double quote") << "a\"b"
                                        << "tinderly";
        QTest::newRow("a tab") << "a\tb"
                               << "tinderly";
        QTest::newRow("outside Windows-1252") << "\u03A9mega"
                                              << "tinderly";
    }
    void changingThePassword()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        f.dialogs.type(typed);
        f.dialogs.answerOk();
        f.window->findChild<QAction*>(QStringLiteral("mnuFile_ChangePassword"))->trigger();
        QCOMPARE(EmpireRepository(f.t.store()).findById(123)->password, stored);
        QCOMPARE(f.password()->text(), stored);
        QCOMPARE(f.dialogs.last().request.icon,
                 typed == stored ? DialogIcon::Information : DialogIcon::Warning);
    }

    void aTurnResultsFileFromAnywhereIsCopiedInAndArchived()
    {
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        f.dialogs.answerOk();                // the instructions
        f.dialogs.answer(DialogAnswer::Yes); // choose the file?
        f.dialogs.choose(TestStore::dataFile(QStringLiteral("123.mdb")));
        f.dialogs.answerOk(); // all done
        f.click(QStringLiteral("UpdateData"));
        QVERIFY2(f.dialogs.texts().at(1).contains(
                     QDir::toNativeSeparators(f.t.folder().turnResultsFile(QStringLiteral("123")))),
                 qPrintable(f.dialogs.texts().at(1)));
        QCOMPARE(f.dialogs.last().request.text, QStringLiteral("All done importing Empire data!"));
        QCOMPARE(f.t.count(QStringLiteral("Fleets"), 123), 6);
        const QByteArray original =
            TestStore::contentsOf(TestStore::dataFile(QStringLiteral("123.mdb")));
        QCOMPARE(TestStore::contentsOf(f.t.folder().turnResultsFile(QStringLiteral("123"))),
                 original);
        QCOMPARE(TestStore::contentsOf(
                     f.t.path() +
                     QStringLiteral("/Turn results archive/123/123 2026-12-07 12-00-00.mdb")),
                 original);
    }

    // The next turn's file: the success box says which stored orders no longer fit, and its
    // What Changed button shows the comparison, filtered by typing.
    void updateDataTellsWhatChangedAndWhatNoLongerFits()
    {
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        const OrderRepository orders(f.t.store());
        orders.append(123, QStringLiteral("NM"), TestStore::slots({"8", "Sol", "3"}));
        orders.append(123, QStringLiteral("NM"), TestStore::slots({"27", "Sol", "3"}));
        f.t.fileWith(QStringLiteral("123.mdb"), TestStore::nextTurnOf123());
        // The turn before, as Update Data kept it then.
        TurnResultsArchive(f.t.path())
            .keep(TestStore::dataFile(QStringLiteral("123.mdb")), QStringLiteral("123"),
                  QDateTime(QDate(2026, 11, 30), QTime(8, 0)));
        f.dialogs.answerOk(); // the instructions
        f.dialogs.answer(DialogAnswer::WhatChanged);
        f.click(QStringLiteral("UpdateData"));
        QCOMPARE(f.dialogs.last().request.text,
                 QStringLiteral("All done importing Empire data!\r\n\r\n1 of your stored orders "
                                "names fleets, warp points or items your new turn data does not "
                                "hold."));
        QCOMPARE(f.dialogs.last().request.buttons, DialogButtons::ImportDoneCheck);
        auto* changed = f.window->findChild<WhatChangedWindow*>(QStringLiteral("WhatChanged"));
        QVERIFY(changed && changed->isVisible());
        QCOMPARE(changed->shownLines().mid(0, 2),
                 (QStringList{"Fleets: 1 new, 1 gone, 1 changed", "Armies: no change"}));
        QTest::keyClicks(&changed->filter(), QStringLiteral("vanguard"));
        QCOMPARE(changed->shownLines().mid(13), (QStringList{"Fleets - Fleet # 8 Vanguard: gone",
                                                             "Fleets - Fleet # 31 Vanguard: new"}));
        changed->close();
    }

    // Any two kept turns: the player chooses them by key in the Compare Turns box.
    void compareTurnsChosenFromTheArchive()
    {
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        const TurnResultsArchive archive(f.t.path());
        const QString next = f.t.fileWith(QStringLiteral("next.mdb"), TestStore::nextTurnOf123());
        for (const auto& [day, file] :
             {std::pair{1, TestStore::dataFile(QStringLiteral("123.mdb"))}, std::pair{2, next},
              std::pair{3, TestStore::dataFile(QStringLiteral("123.mdb"))}})
            archive.keep(file, QStringLiteral("123"), QDateTime(QDate(2026, 12, day), QTime(8, 0)));
        QStringList offered;
        const ModalAnswerer answer([&](QWidget* modal) {
            if (modal->objectName() == QLatin1String("ImportProgress"))
                return; // the files are being read: the player waits
            auto* earlier = modal->findChild<QComboBox*>(QStringLiteral("Earlier"));
            if (!earlier) {
                modal->close();
                return;
            }
            for (int i = 0; i < earlier->count(); ++i)
                offered << earlier->itemText(i);
            earlier->setFocus();
            QTest::keyClick(earlier, Qt::Key_Home); // the first turn, against the second
            auto* later = modal->findChild<QComboBox*>(QStringLiteral("Later"));
            QTest::keyClick(later, Qt::Key_Up);
            QTest::mouseClick(modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
        });
        f.window->findChild<QAction*>(QStringLiteral("mnuFile_CompareTurns"))->trigger();
        QCOMPARE(offered,
                 (QStringList{"Imported 12-01-2026 at 08:00", "Imported 12-02-2026 at 08:00",
                              "Imported 12-03-2026 at 08:00"}));
        auto* changed = f.window->findChild<WhatChangedWindow*>(QStringLiteral("WhatChanged"));
        QVERIFY(changed);
        QVERIFY(changed->findChild<QLabel*>(QStringLiteral("Summary"))
                    ->text()
                    .startsWith(QStringLiteral("The turn data imported 12-02-2026 at 08:00, "
                                               "against the import of 12-01-2026 at 08:00: ")));
        QVERIFY(changed->shownLines().contains(
            QStringLiteral("Fleets - Fleet # 12: renamed from Home Guard to Home Fleet")));
        changed->close();
    }

    void aDroppedFileIsImportedForTheChosenEmpire_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("imported");
        QTest::newRow("its file") << "123.mdb" << true;
        QTest::newRow("a file it cannot import") << "125.mdb" << false;
    }
    void aDroppedFileIsImportedForTheChosenEmpire()
    {
        QFETCH(QString, file);
        QFETCH(bool, imported);
        Fixture f;
        const QString inFolder = f.t.folder().turnResultsFile(QStringLiteral("123"));
        QVERIFY(QFile::copy(TestStore::dataFile(QStringLiteral("124.mdb")), inFolder));
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(TestStore::dataFile(file))});
        f.dialogs.answerOk(2); // the instructions; all done, or why not
        QVERIFY(dropOn(f.window->findChild<QWidget*>(QStringLiteral("Label2")), &data) !=
                Qt::IgnoreAction);
        QTRY_COMPARE(f.dialogs.records().size(), 2); // the import runs after the drop
        QCOMPARE(f.dialogs.records().first().request.title,
                 QStringLiteral("Verify Imperial Records"));
        QCOMPARE(f.t.count(QStringLiteral("Fleets"), 123), imported ? 6 : 0);
        QCOMPARE(QDir(f.t.path() + QStringLiteral("/Turn results archive/123")).exists(), imported);
        // The file in the data folder is replaced only by a file imported whole.
        QCOMPARE(TestStore::contentsOf(inFolder),
                 TestStore::contentsOf(
                     TestStore::dataFile(imported ? file : QStringLiteral("124.mdb"))));
    }

    // Dropped where the pointer is, on the name box or the number box, the file is imported;
    // its path is never typed into the box.
    void aFileDroppedOnABoxIsImportedNotTyped_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("name box") << "EmpireName";
        QTest::newRow("number box") << "Text2";
    }
    void aFileDroppedOnABoxIsImportedNotTyped()
    {
        QFETCH(QString, box);
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(TestStore::dataFile(QStringLiteral("123.mdb")))});
        data->setText(TestStore::dataFile(QStringLiteral("123.mdb")));
        f.dialogs.answerOk(2); // the instructions; all done
        QWidget* target = f.window->findChild<QWidget*>(box);
        QVERIFY(dropOn(target, data) != Qt::IgnoreAction);
        QTRY_COMPARE(f.dialogs.records().size(), 2); // the import runs after the drop
        QCOMPARE(f.t.count(QStringLiteral("Fleets"), 123), 6);
        QCOMPARE(f.name()->currentText(), QStringLiteral("Sable Concord"));
        QCOMPARE(f.number()->text(), QStringLiteral("123"));
        delete data;
    }

    void theRowsLeftOutAreToldAfterTheSuccess()
    {
        Fixture f;
        f.t.addEmpire(126, QStringLiteral("Awkward"));
        f.window->reloadEmpireList();
        QVERIFY(QFile::copy(TestStore::dataFile(QStringLiteral("126.mdb")),
                            f.t.folder().turnResultsFile(QStringLiteral("126"))));
        QVERIFY(f.pick(QStringLiteral("Awkward")));
        f.dialogs.answerOk(2);
        f.click(QStringLiteral("UpdateData"));
        QCOMPARE(f.dialogs.last().request.text,
                 QStringLiteral("All done importing Empire data!\r\n\r\n1 row was not stored: 1 "
                                "names Empire # 999."));
    }

    void theWheelOverTheNameBoxChangesNothing()
    {
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Iron Veil")));
        f.password()->setFocus();
        for (const int notch : {-120, -120, 120, 120, 120})
            wheelOver(f.name(), notch);
        QCOMPARE(f.name()->currentText(), QStringLiteral("Iron Veil"));
        QCOMPARE(f.number()->text(), QStringLiteral("456"));
        QCOMPARE(f.context.currentEmpireId, 456);
        QVERIFY(f.password()->hasFocus());
    }

    void onlyOneTurnResultsFileCanBeDropped()
    {
        Fixture f;
        QVERIFY(f.showActive());
        QWidget* label = f.window->findChild<QWidget*>(QStringLiteral("Label2"));
        QMimeData two;
        two.setUrls({QUrl::fromLocalFile(TestStore::dataFile(QStringLiteral("123.mdb"))),
                     QUrl::fromLocalFile(TestStore::dataFile(QStringLiteral("124.mdb")))});
        QCOMPARE(dropOn(label, &two), Qt::IgnoreAction);
        QMimeData text;
        text.setUrls(
            {QUrl::fromLocalFile(TestStore::dataFile(QStringLiteral("hostile/README.md")))});
        QCOMPARE(dropOn(label, &text), Qt::IgnoreAction);
        QVERIFY(f.dialogs.records().isEmpty());
    }

    void updateData()
    {
        Fixture f;
        QVERIFY(QFile::copy(TestStore::dataFile(QStringLiteral("123.mdb")),
                            f.t.folder().turnResultsFile(QStringLiteral("123"))));
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        f.dialogs.answer(DialogAnswer::Cancel);
        f.click(QStringLiteral("UpdateData"));
        QCOMPARE(f.t.count(QStringLiteral("Fleets")), 0);
        const DialogRequest instruction = f.dialogs.last().request;
        QCOMPARE(instruction.title, QStringLiteral("Verify Imperial Records"));
        QCOMPARE(instruction.buttons, DialogButtons::OkCancel);
        const QString folder = QDir::toNativeSeparators(f.t.path());
        QCOMPARE(
            instruction.text,
            QStringLiteral(
                "Make sure that you have copied the turn results data file downloaded from "
                "Quillmoor "
                "into your %1 directory on your hard drive.  You should have one there already "
                "from "
                "your previous turn, which you might want to archive first so that you can "
                "maintain "
                "a series of files representing each processed turn.\r\n\r\nThe name of the file "
                "that "
                "you downloaded is   123.mdb   and it contains all of the data for your most "
                "recently "
                "processed turn.  That is the file that should be copied into your %1 directory.")
                .arg(folder));

        f.dialogs.answerOk(2);
        f.click(QStringLiteral("UpdateData"));
        QCOMPARE(f.dialogs.last().request.text, QStringLiteral("All done importing Empire data!"));
        QCOMPARE(f.dialogs.last().request.title, QStringLiteral("Imperial Data Dump"));
        QCOMPARE(f.t.count(QStringLiteral("Fleets"), 123), 6);
        QCOMPARE(f.number()->text(), QStringLiteral("123"));
        QCOMPARE(f.name()->currentText(), QStringLiteral("Sable Concord"));

        QVERIFY(f.pick(QStringLiteral("Iron Veil")));
        f.dialogs.answerOk();
        f.dialogs.answer(DialogAnswer::No); // not choosing a file elsewhere
        f.click(QStringLiteral("UpdateData"));
        QVERIFY2(f.dialogs.last().request.text.contains(
                     QDir::toNativeSeparators(f.t.folder().turnResultsFile(QStringLiteral("456")))),
                 qPrintable(f.dialogs.last().request.text));
        QCOMPARE(f.t.count(QStringLiteral("Fleets"), 123), 6);
    }
};

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
