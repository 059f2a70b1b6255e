#include "AppFixture.h"
#include "DiskLimits.h"
#include "Error.h"
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

// Run as "tst_ordersfile --write-and-wait FILE": begins writing the file whole, says so on its
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

QByteArray blankSlots(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += ",\" \"";
    return bytes;
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

class TestOrdersFile : public QObject {
    Q_OBJECT

    struct Fixture : AppFixture {
        OrderRepository orders{t.store()};

        QString ordersFile(const QString& name) const
        {
            return QDir(t.folder().ordersFolder()).filePath(name);
        }
        QStringList filesWritten() const
        {
            return QDir(t.folder().ordersFolder()).entryList(QDir::Files | QDir::Hidden);
        }
    };

private Q_SLOTS:
    void fileNameUsesTheDateWhateverTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("English") << "en_US";
        QTest::newRow("German") << "de_DE";
        QTest::newRow("Arabic digits") << "ar_EG";
    }
    void fileNameUsesTheDateWhateverTheLocale()
    {
        QFETCH(QString, locale);
        // The locale goes back to what it was however the checks end.
        const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(ordersfile::fileName(QDate(2026, 12, 7), QStringLiteral("123")),
                 QStringLiteral("KELVAR Orders 12-07-2026.123"));
        QCOMPARE(ordersfile::fileName(QDate(2027, 1, 31), QStringLiteral("5")),
                 QStringLiteral("KELVAR Orders 01-31-2027.5"));
    }

    void writesTheUploadFormatByteForByte()
    {
        Fixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"), QStringLiteral("tinderly"));
        f.orders.append(123, QStringLiteral("NM"), TestStore::slots({"12", "Sol", "3"}));
        QStringList bomb{"44", "15"};
        for (int pair = 1; pair <= 24; ++pair)
            bomb << QStringLiteral("Item %1").arg(pair) << QString::number(pair * 10);
        f.orders.append(123, QStringLiteral("BOMB"), TestStore::slots(bomb));
        f.orders.append(123, QStringLiteral("CNVR"),
                        TestStore::slots({"Route \"Quoted\", with comma"}));
        f.orders.append(123, QStringLiteral("FNAM"),
                        TestStore::slots({"5", "\u00C6rendel \u03A9mega"}));
        f.orders.append(456, QStringLiteral("TREE"), TestStore::slots());
        // No turn data: Check Orders finds the fleet and the items unknown.
        f.dialogs.answer(DialogAnswer::SaveAnyway);
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 123);

        QByteArray expected = "\"KELVAR Orders\",\"123\",\"tinderly\"\r\n";
        expected += "\"NM\",\"12\",\"Sol\",\"3\"" + blankSlots(48) + "\r\n";
        expected += "\"BOMB\",\"44\",\"15\"";
        for (int pair = 1; pair <= 24; ++pair)
            expected += ",\"Item " + QByteArray::number(pair) + "\",\"" +
                        QByteArray::number(pair * 10) + "\"";
        expected += blankSlots(1) + "\r\n";
        expected += "\"CNVR\",\"Route \"Quoted\", with comma\"" + blankSlots(50) + "\r\n";
        expected += "\"FNAM\",\"5\",\"\xC6rendel ?mega\"" + blankSlots(49) + "\r\n";
        QCOMPARE(
            TestStore::contentsOf(f.ordersFile(QStringLiteral("KELVAR Orders 12-07-2026.123"))),
            expected);
        QCOMPARE(f.filesWritten(), QStringList{"KELVAR Orders 12-07-2026.123"});
    }

    void aStoredControlCharacterIsWrittenAsABlank_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("CR LF") << QStringLiteral("Hail\r\nall") << QByteArray("Hail  all");
        QTest::newRow("LF") << QStringLiteral("Hail\nall") << QByteArray("Hail all");
        QTest::newRow("CR") << QStringLiteral("Hail\rall") << QByteArray("Hail all");
        QTest::newRow("tab") << QStringLiteral("Hail\tall") << QByteArray("Hail all");
        QTest::newRow("NUL") << QStringLiteral("Hail") + QChar(0) + QStringLiteral("all")
                             << QByteArray("Hail all");
        QTest::newRow("at the end") << QStringLiteral("Hail all\r\n") << QByteArray("Hail all  ");
    }
    void aStoredControlCharacterIsWrittenAsABlank()
    {
        // An old database or an import can hold one; the order stays on one line.
        QFETCH(QString, stored);
        QFETCH(QByteArray, written);
        Fixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"), QStringLiteral("tin\nderly"));
        f.orders.append(123, QStringLiteral("MESS"), TestStore::slots({"7", stored}));
        f.orders.append(123, QStringLiteral("TREE\t"), TestStore::slots({stored}));
        f.dialogs.answer(DialogAnswer::SaveAnyway); // "TREE\t" is no order code
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 123);
        const QList<QByteArray> lines =
            TestStore::contentsOf(f.ordersFile(QStringLiteral("KELVAR Orders 12-07-2026.123")))
                .split('\n');
        QCOMPARE(lines.size(), 4); // three lines, each ended by CR LF
        QCOMPARE(lines[0], QByteArray("\"KELVAR Orders\",\"123\",\"tin derly\"\r"));
        QCOMPARE(lines[1], "\"MESS\",\"7\",\"" + written + "\"" + blankSlots(49) + "\r");
        QCOMPARE(lines[2], "\"TREE \",\"" + written + "\"" + blankSlots(50) + "\r");
        QVERIFY(lines[3].isEmpty());
    }

    void confirmsCountsAndReportsWhereTheFileIs()
    {
        Fixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"));
        f.orders.append(123, QStringLiteral("TREE"), TestStore::slots());
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 123);
        QCOMPARE(f.dialogs.records().size(), 2);
        const DialogRequest confirm = f.dialogs.records()[0].request;
        QCOMPARE(confirm.text,
                 QStringLiteral("1 orders have been entered for Empire # 123\r\n\r\nContinue?"));
        QCOMPARE(confirm.title, QStringLiteral("Imperial Bureaucrat Note"));
        QCOMPARE(confirm.buttons, DialogButtons::OkCancel);
        QCOMPARE(confirm.icon, DialogIcon::Information);
        const DialogRequest done = f.dialogs.records()[1].request;
        QCOMPARE(done.title, QStringLiteral("Imperial Bureaucrat Report"));
        const QString folder =
            QDir::toNativeSeparators(f.t.folder().ordersFolder() + QLatin1Char('/'));
        QCOMPARE(
            done.text,
            QStringLiteral("Your orders were saved in the following folder on your hard drive:") +
                QString(8, QLatin1Char(' ')) + folder + QString(6, QLatin1Char(' ')) +
                QStringLiteral("\r\n\r\nThey were saved into a file named") +
                QString(56, QLatin1Char(' ')) +
                QStringLiteral("KELVAR Orders 12-07-2026.123      \r\n\r\n") +
                QString(133, QLatin1Char(' ')) + QStringLiteral("|\r\n") +
                QString(133, QLatin1Char(' ')) +
                QStringLiteral("|\r\nThis is the file you need to upload to Quillmoor "
                               "--------------------------------------"));
    }

    void aSecondExportTheSameDayReplacesTheFile()
    {
        Fixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"));
        f.orders.append(123, QStringLiteral("TREE"), TestStore::slots());
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 123);
        f.clock.setToday(QDate(2026, 12, 6));
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 123);
        f.clock.setToday(QDate(2026, 12, 7));
        f.orders.append(123, QStringLiteral("RTD"), TestStore::slots());
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 123);
        QCOMPARE(f.filesWritten(),
                 (QStringList{"KELVAR Orders 12-06-2026.123", "KELVAR Orders 12-07-2026.123"}));
        QVERIFY(TestStore::contentsOf(f.ordersFile(QStringLiteral("KELVAR Orders 12-07-2026.123")))
                    .contains("\"RTD\""));
        QVERIFY(!TestStore::contentsOf(f.ordersFile(QStringLiteral("KELVAR Orders 12-06-2026.123")))
                     .contains("\"RTD\""));
    }

    void blankFillsZeroLengthSlotsInFileAndDatabase()
    {
        Fixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"));
        f.orders.append(123, QStringLiteral("SRP"), TestStore::slots({"Jump Drive", "x"}));
        f.t.store().run(QStringLiteral("UPDATE Orders SET i2 = ''"));
        f.dialogs.answer(DialogAnswer::SaveAnyway); // no turn data: "Jump Drive" is unknown
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 123);
        QCOMPARE(f.t.dump(QStringLiteral("Orders"), QStringLiteral("quote(i2)")),
                 QStringList{"' '"});
        QVERIFY(TestStore::contentsOf(f.ordersFile(QStringLiteral("KELVAR Orders 12-07-2026.123")))
                    .startsWith("\"KELVAR Orders\",\"123\",\"tinderly\"\r\n\"SRP\",\"Jump "
                                "Drive\",\" \",\" \""));
    }

    void refusals_data()
    {
        QTest::addColumn<int>("empire");
        QTest::addColumn<bool>("registered");
        QTest::addColumn<int>("orders");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("no empire")
            << -1 << true << 1 << QStringList{"You need to select an Empire before Saving Orders"};
        QTest::newRow("zero") << 0 << true << 1
                              << QStringList{"You need to select an Empire before Saving Orders"};
        QTest::newRow("no orders")
            << 123 << true << 0 << QStringList{"No orders have been entered yet for Empire # 123"};
        QTest::newRow("not registered")
            << 123 << false << 2
            << QStringList{"2 orders have been entered for Empire # 123\r\n\r\nContinue?",
                           "The currently selected Empire has not been set up for Turn Entry"};
    }
    void refusals()
    {
        QFETCH(int, empire);
        QFETCH(bool, registered);
        QFETCH(int, orders);
        QFETCH(QStringList, texts);
        Fixture f;
        if (registered)
            f.t.addEmpire(123, QStringLiteral("Sable Concord"));
        for (int i = 0; i < orders; ++i)
            f.orders.append(123, QStringLiteral("TREE"), TestStore::slots());
        f.dialogs.answerOk(texts.size());
        runSaveOrdersDialogue(f.context, empire < 0 ? std::nullopt : std::optional<int>(empire));
        QCOMPARE(f.dialogs.texts(), texts);
        QCOMPARE(f.dialogs.last().request.icon, DialogIcon::Warning);
        QCOMPARE(f.dialogs.last().request.title, QStringLiteral("Imperial Bureaucrat Report"));
        QVERIFY(f.filesWritten().isEmpty());
    }

    void cancelWritesNothing()
    {
        Fixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"));
        f.orders.append(123, QStringLiteral("TREE"), TestStore::slots());
        f.dialogs.answer(DialogAnswer::Cancel);
        runSaveOrdersDialogue(f.context, 123);
        QCOMPARE(f.dialogs.records().size(), 1);
        QVERIFY(f.filesWritten().isEmpty());
    }

    // Every file the program writes: the orders file, the archive copy of a turn results
    // file, the copy of a chosen file into the data folder. The limit lets the new file grow
    // to 1 KiB only, so its write fails half-way, also when it is smaller than any write
    // buffer and the failure shows only when the bytes go out.
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
    TestOrdersFile test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ordersfile.moc"
