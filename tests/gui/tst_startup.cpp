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

// The program's start: its options, its data folder and its database.
class TestStartup : public QObject {
    Q_OBJECT
    using Fixture = AppWindowsFixture;

private Q_SLOTS:
    void startupOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode"); // -1: the program starts
        QTest::addColumn<QString>("folder");
        // The old program's folder on Windows; the home folder's kelvar elsewhere.
        const bool windows = QSysInfo::kernelType() == QLatin1String("winnt");
        QTest::newRow("default") << QStringList{"vfturn"} << -1
                                 << (windows ? QStringLiteral("C:/kelvar")
                                             : QDir::homePath() + QStringLiteral("/kelvar"));
        QTest::newRow("data dir") << QStringList{"vfturn", "--data-dir", "/srv/turns"} << -1
                                  << "/srv/turns";
        QTest::newRow("Windows folder, blanks and letters")
            << QStringList{"vfturn.exe", "--data-dir", "D:\\Spiele\\Jörg's Kelvar Ærendel"} << -1
            << "D:\\Spiele\\Jörg's Kelvar Ærendel";
        QTest::newRow("help") << QStringList{"vfturn", "--help"} << 0 << "";
        QTest::newRow("version") << QStringList{"vfturn", "--version"} << 0 << "";
        QTest::newRow("unknown option") << QStringList{"vfturn", "--colour"} << 2 << "";
    }
    void startupOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, folder);
        const StartupOptions options = parseStartupOptions(arguments);
        QCOMPARE(options.exitCode.value_or(-1), exitCode);
        if (exitCode < 0)
            QCOMPARE(options.dataFolder, folder);
    }

    void firstStartCreatesTheDatabase()
    {
        QTemporaryDir dir;
        const DataFolder folder(dir.filePath(QStringLiteral("new/kelvar")));
        FakeDialogs dialogs;
        const auto store = openTurnEntryDatabase(folder, dialogs);
        QVERIFY(store);
        QVERIFY(QFile::exists(folder.databaseFile()));
        QVERIFY(folder.databaseFile().endsWith(
            QStringLiteral("/new/kelvar/VF Turn Entry Data.sqlite")));
    }

    // A data folder given on the command line in the system's own form, with blanks, an
    // apostrophe and letters beyond ASCII: the database opens, the reader reads a turn
    // results file there, and an orders file is written there.
    void aDataFolderWithBlanksAndLettersWorks()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Jörg's Kelvar Ærendel Ωmega"));
        const StartupOptions options =
            parseStartupOptions({QStringLiteral("vfturn"), QStringLiteral("--data-dir"),
                                 QDir::toNativeSeparators(path)});
        const DataFolder folder(options.dataFolder);
        FakeDialogs dialogs;
        const auto store = openTurnEntryDatabase(folder, dialogs);
        QVERIFY(store);
        QVERIFY(QFile::exists(path + QStringLiteral("/VF Turn Entry Data.sqlite")));
        EmpireRepository(*store).add({123, QStringLiteral("Sable Concord"), QStringLiteral("pw")});
        const QString turnFile = folder.turnResultsFile(QStringLiteral("123"));
        QVERIFY(QFile::copy(TestStore::dataFile(QStringLiteral("123.mdb")), turnFile));
        TurnImporter(*store, TestStore::readerPath()).importFile(123, turnFile);
        QCOMPARE(TurnDataRepository(*store, 123).fleets().size(), 6);
        const QString written = ordersfile::write(folder.ordersFolder(), QStringLiteral("x.123"),
                                                  QByteArrayLiteral("\"KELVAR Orders\"\r\n"));
        QCOMPARE(TestStore::contentsOf(path + QStringLiteral("/Orders to HQV/x.123")),
                 QByteArrayLiteral("\"KELVAR Orders\"\r\n"));
        QCOMPARE(QFileInfo(written).canonicalFilePath(),
                 QFileInfo(path + QStringLiteral("/Orders to HQV/x.123")).canonicalFilePath());
    }

    void aReadOnlyDataFolderStartsAndSaysSoOnce()
    {
        QTemporaryDir dir;
        const DataFolder folder(dir.path());
        FakeDialogs dialogs;
        openTurnEntryDatabase(folder, dialogs).reset(); // a database made on a first start
        ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.active())
            QSKIP("no right to make a folder read-only here");
        dialogs.answerOk();
        const auto store = openTurnEntryDatabase(folder, dialogs);
        QVERIFY(store);
        QCOMPARE(dialogs.records().size(), 1);
        QVERIFY2(dialogs.last().request.text.startsWith(
                     QStringLiteral("The data folder %1 cannot be written to, so nothing can be "
                                    "stored")
                         .arg(QDir::toNativeSeparators(dir.path()))),
                 qPrintable(dialogs.last().request.text));
    }

    void aDatabaseThatCannotBeOpenedIsReported()
    {
        QTemporaryDir dir;
        const DataFolder folder(dir.path());
        QFile junk(folder.databaseFile());
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(8192, 'x'));
        junk.close();
        FakeDialogs dialogs;
        dialogs.answerOk();
        QVERIFY(!openTurnEntryDatabase(folder, dialogs));
        QVERIFY2(dialogs.last().request.text.contains(folder.databaseFile()),
                 qPrintable(dialogs.last().request.text));
        QCOMPARE(QFileInfo(folder.databaseFile()).size(), 8192);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
