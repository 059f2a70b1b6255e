#include "DiskLimits.h"
#include "Error.h"
#include "OrdersFileFixture.h"
#include "common/GuardedAction.h"
#include "mainmenu/SaveOrdersDialogue.h"
#include "ordersfile/OrdersFile.h"
#include "platform/DataFolder.h"
#include "platform/WholeFile.h"
#include "store/OrderRepository.h"
#include "turnimport/TurnResultsArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <memory>

using namespace vf;
using namespace vf::test;

namespace {

const char* const kWriterOption = "--write-and-wait";

// Run as "tst_wholefiles --write-and-wait FILE": begins writing the file whole, says so on its
// standard output, and waits to be killed half-way.
int runAsInterruptedWriter(const QString& target)
{
    WholeFileWriter file(target);
    file.write(QByteArray(4096, 'n'));
    std::fputs("writing\n", stdout);
    std::fflush(stdout);
    QThread::sleep(600);
    return 1;
}

// Writes the bytes as the writer named does, over what it wrote before; returns the file.
// The copies copy the source, which holds the bytes already.
QString writeWith(const QString& writer, const QString& folder, const QByteArray& bytes,
                  const QString& source)
{
    if (writer == QLatin1String("orders file"))
        return ordersfile::write(folder + QStringLiteral("/orders"), QStringLiteral("x.123"),
                                 bytes);
    if (writer == QLatin1String("archive copy"))
        return TurnResultsArchive(folder).keep(source, QStringLiteral("123"),
                                               QDateTime(QDate(2026, 12, 7), QTime(9, 30)));
    const QString target = folder + QStringLiteral("/data/123.mdb");
    QDir().mkpath(folder + QStringLiteral("/data"));
    try {
        copyFileWhole(source, target);
    } catch (const Error& error) {
        throw Error(QDir::toNativeSeparators(target) + QStringLiteral(": ") + error.message());
    }
    return target;
}

} // namespace

// Files written whole or not at all (the orders file, the archive's copies, a turn results
// file copied in): a failing write, a full disk, a program ended half-way, a file held open.
class TestWholeFiles : public QObject {
    Q_OBJECT

    using Fixture = OrdersFileFixture;

private Q_SLOTS:
    // Every file the program writes: the orders file, the archive copy of a turn results
    // file, the copy of a chosen file into the data folder. The limit lets the new file grow
    // to 1 KiB only, so its write fails half-way, also when it is smaller than any write
    // buffer and the failure shows only when the bytes go out.
    // A name typed without the extension of what is saved gets it; one that has it keeps it.
    void aChosenNameGetsItsExtension_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("saved");
        QTest::newRow("none") << "/data/mymap"
                              << "/data/mymap.png";
        QTest::newRow("its own") << "/data/mymap.png"
                                 << "/data/mymap.png";
        QTest::newRow("its own, capitals") << "/data/Map.PNG"
                                           << "/data/Map.PNG";
        QTest::newRow("a dot in the name") << "/data/turn 12.5"
                                           << "/data/turn 12.5.png";
        QTest::newRow("another kind's") << "/data/map.svg"
                                        << "/data/map.svg.png";
    }
    void aChosenNameGetsItsExtension()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, saved);
        QCOMPARE(withExtension(chosen, QStringLiteral("png")), saved);
    }

    void aFailingWriteKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<int>("size");
        for (const char* writer : {"orders file", "archive copy", "copy into the data folder"}) {
            for (const int size : {5000, 64 * 1024})
                QTest::addRow("%s, %d bytes", writer, size) << QString::fromLatin1(writer) << size;
        }
    }
    void aFailingWriteKeepsTheOldFile()
    {
        QFETCH(QString, writer);
        QFETCH(int, size);
        TestStore t;
        const QString source = t.path() + QStringLiteral("/downloaded.mdb");
        writeFileWhole(source, QByteArray(10, 'o'));
        const QString target = writeWith(writer, t.path(), QByteArray(10, 'o'), source);
        writeFileWhole(source, QByteArray(size, 'x'));
        QString message;
        {
            FileSizeLimit limit(1024);
            if (!limit.active())
                QSKIP("this system cannot limit the size of files");
            try {
                writeWith(writer, t.path(), QByteArray(size, 'x'), source);
            } catch (const Error& error) {
                message = error.message();
            }
        }
        QVERIFY2(!message.isEmpty(), "a write that failed was reported as done");
        QVERIFY2(message.contains(QDir::toNativeSeparators(target)), qPrintable(message));
        QCOMPARE(TestStore::contentsOf(target), QByteArray(10, 'o'));
        QCOMPARE(QDir(QFileInfo(target).path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QFileInfo(target).fileName()});
    }

    // A real disk that is full: Save Orders says so, names the folder, and the orders file
    // of the morning is still there byte for byte.
    void saveOrdersOnAFullDiskSaysSoAndKeepsTheOldFile()
    {
        Fixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"));
        f.orders.append(123, QStringLiteral("TREE"), TestStore::slots());
        SmallDisk disk(f.t.folder().ordersFolder(), 256);
        if (!disk.mounted())
            QSKIP("no right to mount a small disk here");
        const QString file = f.ordersFile(QStringLiteral("KELVAR Orders 12-07-2026.123"));
        writeFileWhole(file, "the morning's orders");
        disk.fill();
        for (int i = 0; i < 40; ++i)
            f.orders.append(123, QStringLiteral("MESS"), TestStore::slots({QString(200, u'm')}));
        f.dialogs.answerOk(2);
        guarded(f.dialogs, [&f] { runSaveOrdersDialogue(f.context, 123); });
        const QString shown = f.dialogs.last().request.text;
        QVERIFY2(shown.contains(QStringLiteral("the disk is full")), qPrintable(shown));
        QVERIFY2(shown.contains(QDir::toNativeSeparators(file)), qPrintable(shown));
        QVERIFY(!f.dialogs.texts().join(u'|').contains(QStringLiteral("were saved")));
        QCOMPARE(TestStore::contentsOf(file), QByteArray("the morning's orders"));
    }

    // The program killed while it writes: what it left is no file a player could take for the
    // one it was replacing, and the next start removes it, and nothing else.
    void aWriteCutShortLeavesNothingAfterTheNextStart_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("orders file")
            << QStringLiteral("Orders to HQV/KELVAR Orders 12-07-2026.123");
        QTest::newRow("archive copy")
            << QStringLiteral("Turn results archive/123/123 2026-12-07 10-00-00.mdb");
        QTest::newRow("copy into the data folder") << QStringLiteral("123.mdb");
    }
    void aWriteCutShortLeavesNothingAfterTheNextStart()
    {
        QFETCH(QString, target);
        TestStore t;
        const QString file = QDir(t.path()).filePath(target);
        const QString folder = QFileInfo(file).path();
        QVERIFY(QDir().mkpath(folder));
        writeFileWhole(file, "the old file");
        const QStringList playersOwn{QStringLiteral("notes.new"), QStringLiteral("a.1234abcd.txt"),
                                     QStringLiteral(".vfturn-unfinished-notes.tmp")};
        for (const QString& name : playersOwn)
            writeFileWhole(QDir(folder).filePath(name), "the player's");
        const auto names = [&folder] { return QDir(folder).entryList(QDir::Files | QDir::Hidden); };
        const QStringList before = names();
        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(),
                     {QString::fromLatin1(kWriterOption), file});
        QVERIFY(writer.waitForReadyRead(30000));
        writer.kill();
        QVERIFY(writer.waitForFinished(30000));
        QStringList left = names();
        for (const QString& name : before)
            left.removeOne(name);
        QCOMPARE(left.size(), 1);
        QVERIFY2(!left.first().startsWith(QFileInfo(file).completeBaseName()),
                 qPrintable(left.first()));

        QCOMPARE(removeUnfinishedFiles(DataFolder(t.path()).foldersWritten()), 1);
        QCOMPARE(names(), before);
        QCOMPARE(TestStore::contentsOf(file), QByteArray("the old file"));
    }

    // Another program holds the file open (Windows): a hold let go within a moment is waited
    // out; one that lasts is told, naming the file, and the old file stays.
    void aFileHeldOpenElsewhereIsWaitedForThenTold_data()
    {
        QTest::addColumn<int>("heldMs");
        QTest::newRow("let go after half a second") << 500;
        QTest::newRow("held on") << -1;
    }
    void aFileHeldOpenElsewhereIsWaitedForThenTold()
    {
        QFETCH(int, heldMs);
        TestStore t;
        const QString file = writeWith(QStringLiteral("orders file"), t.path(), "old", QString());
        HeldOpen held(file);
        if (!held.active())
            QSKIP("this system replaces a file another program has open");
        QTimer letGo;
        letGo.setSingleShot(true);
        connect(&letGo, &QTimer::timeout, [&held] { held.release(); });
        if (heldMs >= 0)
            letGo.start(heldMs);
        QString message;
        // The write waits in a thread of its own while this one lets go.
        const std::unique_ptr<QThread> writer(QThread::create([&] {
            try {
                writeWith(QStringLiteral("orders file"), t.path(), "new", QString());
            } catch (const Error& error) {
                message = error.message();
            }
        }));
        writer->start();
        const auto join = qScopeGuard([&writer] { writer->wait(); });
        QTRY_VERIFY_WITH_TIMEOUT(writer->isFinished(), 20000);
        if (heldMs >= 0) {
            QVERIFY2(message.isEmpty(), qPrintable(message));
            QCOMPARE(TestStore::contentsOf(file), QByteArray("new"));
        } else {
            QVERIFY2(message.contains(QStringLiteral("another program is holding")) &&
                         message.contains(QDir::toNativeSeparators(file)),
                     qPrintable(message));
            QCOMPARE(TestStore::contentsOf(file), QByteArray("old"));
        }
    }

    void aFolderThatCannotBeMadeIsReported()
    {
        TestStore t;
        const QString notAFolder = t.emptyFile(QStringLiteral("plain file"));
        try {
            ordersfile::write(notAFolder + QStringLiteral("/orders"),
                              QStringLiteral("KELVAR Orders 12-07-2026.1"), "x");
            QFAIL("a file was written where none can be");
        } catch (const Error& error) {
            QVERIFY2(error.message().contains(QStringLiteral("KELVAR Orders 12-07-2026.1")),
                     qPrintable(error.message()));
        }
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], kWriterOption) == 0)
        return runAsInterruptedWriter(QString::fromLocal8Bit(argv[2]));
    TestWholeFiles test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_wholefiles.moc"
