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

// The main menu's dialogues of the empire register: New Empire, Clear Orders and Restore
// Cleared Orders, Change Password.
class TestEmpireDialogues : public QObject {
    Q_OBJECT
    using Fixture = MainMenuFixture;

private Q_SLOTS:
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
};

QTEST_MAIN(TestEmpireDialogues)
#include "tst_empiredialogues.moc"
