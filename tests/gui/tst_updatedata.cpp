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

// Update Data from the main menu, by button and by a dropped file, and the old program's
// database brought over.
class TestUpdateData : public QObject {
    Q_OBJECT
    using Fixture = MainMenuFixture;

private Q_SLOTS:
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
                 (QStringList{"Fleets: 2 changed", "Armies: no change"}));
        // The filter keeps only the lines that hold the text, the tables' counts too.
        QTest::keyClicks(&changed->filter(), QStringLiteral("vanguard"));
        QCOMPARE(changed->shownLines(),
                 (QStringList{"Fleets - Fleet # 8 Vanguard: renumbered 31 (same name)"}));
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

QTEST_MAIN(TestUpdateData)
#include "tst_updatedata.moc"
