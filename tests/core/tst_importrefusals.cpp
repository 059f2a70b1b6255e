#include "Error.h"
#include "ImportChecks.h"
#include "ReaderStream.h"
#include "TestStore.h"
#include "protocol/ImportedTables.h"
#include "protocol/ReaderProtocol.h"
#include "protocol/ValueConversion.h"
#include "store/OrderRepository.h"
#include "turnimport/TurnImporter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <QScopeGuard>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

using namespace vf;
using namespace vf::test;

// Files the import refuses, each for its cause in the player's words, changing nothing;
// a reading cancelled, a reader that is missing or does not start at once.
class TestImportRefusals : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusesUnusableFilesChangingNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("cause");
        QTest::newRow("missing table")
            << TestStore::dataFile(QStringLiteral("125.mdb")) << "\"Warp Points\" is missing";
        QTest::newRow("no Empires")
            << TestStore::dataFile(QStringLiteral("127.mdb")) << "\"Empires\" is missing";
        QTest::newRow("missing file")
            << QStringLiteral("/nowhere/555.mdb") << "the file is not there";
        QTest::newRow("a folder") << QStringLiteral(VFTURN_TEST_DATA) << "not a file";
        // Debian's libmdb crashes on it; a newer one refuses it.
        QTest::newRow("crash") << TestStore::dataFile(QStringLiteral("hostile/segfault-1.mdb"))
                               << "damaged|incomplete";
        QTest::newRow("ACE header") << TestStore::dataFile(QStringLiteral("hostile/hang-1.mdb"))
                                    << "not a turn results file";
        QTest::newRow("hangs libmdb, and is cut short")
            << TestStore::dataFile(QStringLiteral("hostile/hang-jet4.mdb"))
            << "incomplete \\(was the download cut short\\?\\)";
    }
    void refusesUnusableFilesChangingNothing()
    {
        QFETCH(QString, file);
        QFETCH(QString, cause);
        TestStore t;
        fillEmpire(t, 123);
        const QStringList before = t.snapshot();
        const QString message = expectFailure(t, file, 123);
        QVERIFY2(message.contains(QDir::toNativeSeparators(file)), qPrintable(message));
        QVERIFY2(message.contains(QRegularExpression(cause)), qPrintable(message));
        QCOMPARE(t.snapshot(), before);
    }

    void refusesFilesThatAreNotAccessDatabases_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("short") << QByteArray(100, 'x');
        QTest::newRow("text") << QByteArray(8192, 'x');
        QByteArray jet5(8192, '\0');
        jet5.replace(4, 15, "Standard Jet DB");
        jet5[0x14] = 2;
        QTest::newRow("other version") << jet5;
    }
    void refusesFilesThatAreNotAccessDatabases()
    {
        QFETCH(QByteArray, contents);
        TestStore t;
        const QString path = t.fileWith(QStringLiteral("123.mdb"), contents);
        const QString message = expectFailure(t, path, 123);
        QVERIFY2(message.contains(QStringLiteral("turn results file")), qPrintable(message));
    }

    void aReaderKilledHalfWayChangesNothing()
    {
        TestStore t;
        fillEmpire(t, 123);
        const QStringList before = t.snapshot();
        // The time limit stops the reader long before it can finish.
        const QString message =
            expectFailure(t, TestStore::dataFile(QStringLiteral("900.mdb")), 123, ReaderLimits{1});
        QVERIFY2(message.contains(QStringLiteral("too long")), qPrintable(message));
        QCOMPARE(t.snapshot(), before);
    }

    void everyComplaintOfTheReaderRefusesTheFile_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("file");
        const QString whole = QStringLiteral("123.mdb");
        QTest::newRow("a complaint on a clean exit")
            << "relay\nstderr warning: page 12 from map doesn't match"
            << "damaged: reading it failed \\(warning: page 12 from map" << whole;
        QTest::newRow("a page past the end of a file of whole pages")
            << "relay\nstderr offset 999424 is beyond EOF"
            << "damaged \\(it points past its own end\\)" << whole;
        QTest::newRow("a page past the end of a file that is not whole pages")
            << "stderr offset 999424 is beyond EOF\nexit 0"
            << "incomplete \\(was the download cut short\\?\\)"
            << QStringLiteral("hostile/hang-jet4.mdb");
        QTest::newRow("a crash") << "crash"
                                 << "damaged" << whole;
        QTest::newRow("no output") << "exit 0"
                                   << "incomplete" << whole;
        QTest::newRow("a cut-short output") << "relay-head 500"
                                            << "incomplete" << whole;
    }
    void everyComplaintOfTheReaderRefusesTheFile()
    {
        QFETCH(QString, steps);
        QFETCH(QString, cause);
        QFETCH(QString, file);
        TestStore t;
        fillEmpire(t, 123);
        const QStringList before = t.snapshot();
        const QString message =
            expectFailure(t, TestStore::dataFile(file), 123, {}, t.fakeReader(steps));
        QVERIFY2(message.contains(QRegularExpression(cause)), qPrintable(message));
        QCOMPARE(t.snapshot(), before);
    }

    void aLinkThatLeadsNowhereIsThereButCannotBeOpened()
    {
        TestStore t;
        const QString link = t.path() + QStringLiteral("/123.mdb");
        QFile::link(link, link); // a link to itself
        if (!QFileInfo(link).isSymLink())
            QSKIP("no symbolic link can be made here");
        const QString message = expectFailure(t, link, 123);
        QVERIFY2(
            message.contains(QStringLiteral("it cannot be opened: it is a link that leads to no "
                                            "file (or to itself)")),
            qPrintable(message));
    }

    // A name the system holds in bytes that are no text in its encoding (Linux takes any
    // bytes): the file is there, and the message says it cannot be opened, naming it.
    void aNameOfBytesThatAreNoTextIsThereButCannotBeOpened()
    {
        if (QFile::decodeName(QByteArray("\xff")) == QStringLiteral("\u00ff"))
            QSKIP("this system's file names take any letters");
        TestStore t;
        const QByteArray name = QFile::encodeName(t.path()) + "/Kelvar \xe9t\xe9 123.mdb";
        QFile in(TestStore::dataFile(QStringLiteral("123.mdb")));
        QVERIFY(in.open(QIODevice::ReadOnly));
        std::FILE* out = std::fopen(name.constData(), "wb");
        QVERIFY(out);
        const QByteArray bytes = in.readAll();
        QCOMPARE(std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), out),
                 std::size_t(bytes.size()));
        std::fclose(out);
        const QString path = QFile::decodeName(name);
        const QString message = expectFailure(t, path, 123);
        QVERIFY2(message.contains(QStringLiteral("it cannot be opened: its name holds bytes")) &&
                     message.contains(QStringLiteral("Kelvar ")),
                 qPrintable(message));
    }

    // "Cut short" only for a file that is not whole pages; a damaged page or a page number past
    // the end of a file of whole pages is damage.
    void theCauseIsNamedRightly_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("cause");
        const QByteArray whole =
            TestStore::contentsOf(TestStore::dataFile(QStringLiteral("123.mdb")));
        constexpr int kPage = 4096;
        const auto replaced = [&whole](int page, const QByteArray& by) {
            QByteArray damaged = whole;
            damaged.replace(qsizetype(page) * kPage, kPage, by);
            return damaged;
        };
        // Cut short is what a file that is not whole pages is; a file of whole pages that names
        // pages past its end is damaged (the page size of a download cut short is chance).
        const QString cutShort = QStringLiteral("it is incomplete (was the download cut short?)");
        const QString pastItsEnd = QStringLiteral("it is damaged (it points past its own end)");
        for (const int pages : {3, 25, 40, 81})
            QTest::addRow("ends after page %d", pages) << whole.left(pages * kPage) << pastItsEnd;
        QTest::newRow("cut inside a page") << whole.left(40 * kPage + 1234) << cutShort;
        // Page 28 holds a table's definition and page 30 its rows; page 26 holds another
        // table's rows.
        QTest::newRow("a definition zeroed")
            << replaced(28, QByteArray(kPage, '\0')) << "a table's definition is wrong";
        QTest::newRow("a definition replaced by rows")
            << replaced(28, whole.mid(26 * kPage, kPage)) << "a table's definition is wrong";
        QTest::newRow("rows replaced by another table's")
            << replaced(30, whole.mid(26 * kPage, kPage)) << "a table's list of its pages is wrong";
        // A letter of "Home Defense" (kept as UTF-16) zeroed: not the name cut short to "H".
        QByteArray zeroLetter = whole;
        const qsizetype homeDefense = whole.indexOf(QByteArray("H\0o\0m\0e\0 \0D\0", 12));
        QVERIFY(homeDefense > 0);
        zeroLetter.replace(homeDefense + 2, 2, QByteArray(2, '\0'));
        QTest::newRow("a letter zeroed") << zeroLetter << "it holds characters no name has";
        // A row's values must tile its data: a name's start or end moved inside the row is
        // damage, not a shorter name ("Rhomor 6" read as "R", "Jorul 1" as "1").
        const QByteArray large =
            TestStore::contentsOf(TestStore::dataFile(QStringLiteral("900.mdb")));
        const QString layoutWrong =
            QStringLiteral("a row of the table \"Orbital Locations\" is damaged (its layout is "
                           "wrong)");
        QTest::newRow("a name's end moved short")
            << changedByte(large, 1152295, 24, 10) << layoutWrong;
        QTest::newRow("a name's start moved") << changedByte(large, 733690, 8, 20) << layoutWrong;
    }
    void theCauseIsNamedRightly()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, cause);
        TestStore t;
        const QString path = t.fileWith(QStringLiteral("123.mdb"), contents);
        const QString message = expectFailure(t, path, 123);
        QVERIFY2(message.contains(cause), qPrintable(message));
    }

    void cancelEndsTheReadingAtOnce()
    {
        TestStore t;
        fillEmpire(t, 123);
        const QStringList before = t.snapshot();
        const TurnImporter importer(t.store(), t.fakeReader(QStringLiteral("sleep 60")));
        QElapsedTimer clock;
        clock.start();
        std::atomic_bool stop = false;
        std::thread player([&stop] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            stop = true;
        });
        const auto joined = qScopeGuard([&player] { player.join(); });
        try {
            importer.importFile(123, TestStore::dataFile(QStringLiteral("123.mdb")),
                                ForeignFile::Replace, Progress{{}, &stop});
            QFAIL("a cancelled reading was taken as complete");
        } catch (const Error& error) {
            QVERIFY2(error.message().contains(QStringLiteral("cancelled")),
                     qPrintable(error.message()));
        }
        QVERIFY2(clock.elapsed() < 30000, "the reader was waited for instead of ended");
        QCOMPARE(t.snapshot(), before);
    }

    void aMissingReaderIsReported()
    {
        TestStore t;
        const QString message =
            expectFailure(t, TestStore::dataFile(QStringLiteral("123.mdb")), 123, {},
                          t.path() + QStringLiteral("/no-such-reader"));
        QVERIFY2(message.contains(QStringLiteral("could not be started")), qPrintable(message));
    }

    // A start the system refuses once (here: the reader is not there yet) is tried again.
    void aRefusedStartIsTriedAgain()
    {
        TestStore t;
        const QString name = QFileInfo(TestStore::readerPath()).fileName();
        const QString reader = t.path() + QStringLiteral("/late-") + name;
        const QString waiting = t.path() + QStringLiteral("/waiting-") + name;
        QVERIFY(QFile::copy(TestStore::readerPath(), waiting));
        // It comes in place a moment after the first start, before the second.
        std::thread arrival([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            QFile::rename(waiting, reader);
        });
        const auto joined = qScopeGuard([&arrival] { arrival.join(); });
        TurnImporter(t.store(), reader)
            .importFile(123, TestStore::dataFile(QStringLiteral("123.mdb")));
        QCOMPARE(t.count(QStringLiteral("Fleets"), 123), 6);
    }
};

QTEST_GUILESS_MAIN(TestImportRefusals)
#include "tst_importrefusals.moc"
