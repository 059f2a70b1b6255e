#include "MainMenuFixture.h"
#include "ModalAnswerer.h"
#include "RealInput.h"
#include "common/Decorative.h"
#include "common/QtDialogs.h"
#include "common/Twips.h"
#include "mainmenu/MainMenuWindow.h"
#include "mainmenu/SaveOrdersDialogue.h"
#include "ordersfile/OrdersArchive.h"
#include "ordersfile/OrdersFile.h"
#include "store/EmpireOrderCheck.h"
#include "store/EmpireRepository.h"
#include "store/OrderRepository.h"
#include "store/SetAsideFindings.h"
#include "store/TurnImports.h"
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

// Save Orders and Check Orders from the main menu.
class TestSaveOrders : public QObject {
    Q_OBJECT
    using Fixture = MainMenuFixture;

private Q_SLOTS:
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

    // Findings set aside in Check Orders are left out of the question: its count and its list;
    // with every failing one set aside, there is no question.
    void saveOrdersLeavesOutWhatIsSetAside_data()
    {
        QTest::addColumn<int>("setAside");
        QTest::addColumn<QString>("asked");
        QTest::newRow("one of two") << 1
                                    << "1 of your 2 orders will fail to execute:\r\n\r\n"
                                       "Priority 20, NM: Fleet # \"98\" is not in the turn data";
        QTest::newRow("both") << 2 << "2 orders have been entered for Empire # 123";
    }
    void saveOrdersLeavesOutWhatIsSetAside()
    {
        QFETCH(int, setAside);
        QFETCH(QString, asked);
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        const OrderRepository orders(f.t.store());
        orders.append(123, QStringLiteral("NM"), TestStore::slots({"99", "Sol", "3"}));
        orders.append(123, QStringLiteral("NM"), TestStore::slots({"98", "Sol", "3"}));
        const QList<OrderFinding> findings = checkEmpireOrders(f.t.store(), 123).findings;
        QCOMPARE(findings.size(), 2);
        for (const OrderFinding& finding : findings.mid(0, setAside))
            SetAsideFindings(f.t.store()).setAside(finding);
        f.dialogs.answer(DialogAnswer::Cancel);
        runSaveOrdersDialogue(f.context, 123, [](const OrderCheckReport&) {});
        QCOMPARE(f.dialogs.records().size(), 1);
        const QString text = f.dialogs.last().request.text;
        QVERIFY2(text.startsWith(asked), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("\"99\"")));
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

    // Save Orders keeps a copy of the orders it wrote, with the empire, when and the import
    // they were checked against: made into an orders file again, it is the file written. When
    // the copy cannot be kept, the orders file is written all the same and the player is told.
    void saveOrdersKeepsACopy_data()
    {
        QTest::addColumn<bool>("imported");
        QTest::addColumn<bool>("archiveBlocked");
        QTest::newRow("after an import") << true << false;
        QTest::newRow("never imported") << false << false;
        QTest::newRow("the archive cannot be written") << true << true;
    }
    void saveOrdersKeepsACopy()
    {
        QFETCH(bool, imported);
        QFETCH(bool, archiveBlocked);
        Fixture f;
        if (imported)
            f.t.importFixture(QStringLiteral("123.mdb"), 123);
        if (archiveBlocked) { // a file where the empire's folder of the archive should be
            QDir(f.t.folder().archiveFolder()).removeRecursively();
            QVERIFY(QDir().mkpath(f.t.folder().archiveFolder()));
            f.t.emptyFile(QStringLiteral("Turn results archive/123"));
        }
        const OrderRepository orders(f.t.store());
        orders.append(123, QStringLiteral("NM"), TestStore::slots({"27", "Sol", "3"}));
        orders.append(123, QStringLiteral("MESS"),
                      TestStore::slots({"77", "", "Hail, \"friend\""}));
        if (!imported) // the NM order's fleet is not known: saved anyway
            f.dialogs.answer(DialogAnswer::SaveAnyway);
        f.dialogs.answerOk(archiveBlocked ? 3 : 2);
        runSaveOrdersDialogue(f.context, 123);
        const QString written =
            TestStore::contentsOf(QDir(f.t.folder().ordersFolder())
                                      .filePath(QStringLiteral("KELVAR Orders 12-07-2026.123")));
        QVERIFY(written.startsWith(QStringLiteral("\"KELVAR Orders\"")));
        const QList<OrdersArchive::Copy> copies = OrdersArchive(f.t.path()).copies(123);
        QCOMPARE(copies.isEmpty(), archiveBlocked);
        QCOMPARE(f.dialogs.last().request.text.contains(
                     QStringLiteral("no copy of these orders could be kept")),
                 archiveBlocked);
        if (archiveBlocked)
            return;
        QVERIFY(copies.first().header);
        const SavedOrdersHeader header = *copies.first().header;
        QCOMPARE(header.empireId, 123);
        QCOMPARE(header.saved, f.clock.now());
        const ImportStamp stamp = lastImportOf(f.t.store(), 123);
        QCOMPARE(header.checkedAgainst.isValid(), imported);
        QCOMPARE(header.checkedAgainst.when, stamp.when);
        QCOMPARE(header.checkedAgainst.file, stamp.file);
        const QList<Order> kept = OrdersArchive::ordersIn(copies.first().path);
        QCOMPARE(kept.size(), 2);
        QCOMPARE(QString::fromLatin1(
                     ordersfile::contents(QStringLiteral("123"), QStringLiteral("tinderly"), kept)),
                 written);
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
};

QTEST_MAIN(TestSaveOrders)
#include "tst_saveorders.moc"
