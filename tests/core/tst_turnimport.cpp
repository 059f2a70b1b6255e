#include "Error.h"
#include "ImportChecks.h"
#include "ReaderStream.h"
#include "TestStore.h"
#include "protocol/ImportedTables.h"
#include "protocol/ReaderProtocol.h"
#include "protocol/ValueConversion.h"
#include "store/OrderRepository.h"
#include "store/TurnImports.h"
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

// An empire's turn data replaced from its turn results file: every row and field as the file
// holds it, the chosen empire's rows alone, the rest told.
class TestTurnImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void importsEveryRowAndFieldExactly_data()
    {
        QTest::addColumn<int>("table");
        for (int i = 0; i < int(reader::kImportedTables.size()); ++i)
            QTest::newRow(qPrintable(tableName(reader::kImportedTables[i]))) << i;
    }
    void importsEveryRowAndFieldExactly()
    {
        QFETCH(int, table);
        const auto& t13 = reader::kImportedTables[table];
        TestStore t;
        t.importFixture(QStringLiteral("123.mdb"), 123);
        QCOMPARE(t.dump(tableName(t13), fieldList(t13)),
                 expectedRows(TestStore::dataFile(QStringLiteral("dumps/123")), t13));
    }

    void storesIdentifiersAsIntegersAndNumbersAsPlainText()
    {
        TestStore t;
        t.importFixture(QStringLiteral("123.mdb"), 123);
        QCOMPARE(t.dump(QStringLiteral("Orbital Locations"),
                        QStringLiteral("DISTINCT typeof(OrbitalLocation)")),
                 QStringList{"text"});
        QCOMPARE(t.dump(QStringLiteral("Fleets"),
                        QStringLiteral("DISTINCT typeof(FleetID) || typeof(EmpireID)")),
                 QStringList{"integerinteger"});
        QVERIFY(!t.dump(QStringLiteral("Orbital Locations"), QStringLiteral("OrbitalLocation"))
                     .join(QString())
                     .contains(QLatin1Char('.')));
    }

    void thePlayersEnvironmentDoesNotChangeTheReading()
    {
        // libmdb reads these; the reader must not be steered by them.
        qputenv("MDBOPTS", "debug_row:debug_like");
        qputenv("MDB_JET3_CHARSET", "CP1251");
        qputenv("MDBICONV", "ISO-8859-1");
        qputenv("LC_ALL", "de_DE.UTF-8");
        TestStore t;
        t.importFixture(QStringLiteral("123.mdb"), 123);
        for (const char* name : {"MDBOPTS", "MDB_JET3_CHARSET", "MDBICONV", "LC_ALL"})
            qunsetenv(name);
        QVERIFY(t.dump(QStringLiteral("Fleets"), QStringLiteral("FleetName"))
                    .contains(QStringLiteral("\u00C6rendel Lancers")));
        QCOMPARE(t.count(QStringLiteral("Fleets"), 123), 6);
    }

    // The tables are filled without their indexes, built again at the end.
    void importingTwiceLeavesTheSameRows()
    {
        TestStore t;
        const QStringList indexes = t.indexes();
        t.importFixture(QStringLiteral("123.mdb"), 123);
        QCOMPARE(t.indexes(), indexes);
        const QStringList once = t.snapshot();
        t.importFixture(QStringLiteral("123.mdb"), 123);
        QCOMPARE(t.snapshot(), once);
    }

    // A window's list of orders reads them a few hundred at a time and keeps its reading
    // open meanwhile; the import's work on the tables' indexes must not be stopped by it.
    void importsBesideAReadingLeftOpen()
    {
        TestStore t;
        fillEmpire(t, 123);
        OrderRepository(t.store()).append(123, QStringLiteral("NM"), TestStore::slots());
        QSqlQuery open(t.store().database());
        QVERIFY(open.exec(QStringLiteral("SELECT OrderID FROM Orders")) && open.next());
        const QStringList indexes = t.indexes();
        t.importFixture(QStringLiteral("123.mdb"), 123);
        QCOMPARE(t.count(QStringLiteral("Fleets"), 123), 6);
        QCOMPARE(t.indexes(), indexes);
        QVERIFY(open.next());
    }

    // Another empire's turn data, its orders and its register entry stay as they were, whether
    // its number is below or above the one imported.
    void leavesOtherEmpiresEmpiresAndOrdersAlone_data()
    {
        QTest::addColumn<int>("other");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("imported");
        QTest::addColumn<int>("fleets");
        QTest::newRow("the other's number above") << 456 << "123.mdb" << 123 << 6;
        QTest::newRow("the other's number below") << 123 << "126.mdb" << 126 << 3;
    }
    void leavesOtherEmpiresEmpiresAndOrdersAlone()
    {
        QFETCH(int, other);
        QFETCH(QString, file);
        QFETCH(int, imported);
        QFETCH(int, fleets);
        TestStore t;
        fillEmpire(t, other);
        fillEmpire(t, imported);
        t.importFixture(file, imported);
        for (const auto& table : reader::kImportedTables)
            QCOMPARE(t.count(tableName(table), other), 1);
        QCOMPARE(t.count(QStringLiteral("Fleets"), imported), fleets);
        QCOMPARE(t.count(QStringLiteral("Orders")), 2);
        QCOMPARE(t.count(QStringLiteral("Empires")), 2);
        QCOMPARE(t.dump(QStringLiteral("Fleets"), QStringLiteral("FleetName"))
                     .count(QStringLiteral("old")),
                 1);
    }

    void anEmptyFileEmptiesTheEmpiresTables()
    {
        TestStore t;
        fillEmpire(t, 124);
        t.importFixture(QStringLiteral("124.mdb"), 124);
        for (const auto& table : reader::kImportedTables)
            QCOMPARE(t.count(tableName(table), 124), 0);
        QCOMPARE(t.count(QStringLiteral("Orders"), 124), 1);
    }

    void keepsNullsEmptyTextsAndLongNames()
    {
        TestStore t;
        t.importFixture(QStringLiteral("126.mdb"), 126);
        QCOMPARE(t.dump(QStringLiteral("Fleets"), QStringLiteral("EmpireID, FleetID, FleetName"))
                     .first(),
                 QStringLiteral("126|1|<null>"));
        QCOMPARE(t.dump(QStringLiteral("Fleets"), QStringLiteral("length(FleetName)")).at(1),
                 QStringLiteral("255"));
        QVERIFY(t.dump(QStringLiteral("Fleets"), QStringLiteral("FleetName"))
                    .contains(QStringLiteral("\u03A9mega \u2606 Star")));
        QCOMPARE(t.count(QStringLiteral("Fleets"), 999), 0); // another empire's row
        QVERIFY(
            t.dump(QStringLiteral("Force Battle Plans"), QStringLiteral("quote(ForceBattlePlan)"))
                .contains(QStringLiteral("''")));
        QCOMPARE(t.dump(QStringLiteral("Items"), QStringLiteral("max(length(ItemName))")),
                 QStringList{"410"});
        QCOMPARE(t.dump(QStringLiteral("Warp Points"),
                        QStringLiteral("quote(WarpPointID) || ':' || quote(DestinationStarName)")),
                 (QStringList{"1:''", "2:NULL", "3:'?'", "4:'X'", "5:'?12'", "NULL:'Vega'"}));
        // The other texts as the dump has them (it writes NULL and empty text alike).
        for (const auto& table : reader::kImportedTables) {
            QStringList rows = t.dump(tableName(table), fieldList(table));
            rows.replaceInStrings(QStringLiteral("<null>"), QString());
            const QStringList ofEmpire126 =
                expectedRows(TestStore::dataFile(QStringLiteral("dumps/126")), table)
                    .filter(QRegularExpression(QStringLiteral("^126\\|")));
            QCOMPARE(rows, ofEmpire126);
        }
    }

    void onlyTheChosenEmpiresRowsAreStoredAndTheRestTold()
    {
        TestStore t;
        const TurnImporter importer(t.store(), TestStore::readerPath());
        for (int import = 0; import < 3; ++import) {
            const ImportResult result =
                importer.importFile(126, TestStore::dataFile(QStringLiteral("126.mdb")));
            QCOMPARE(leftOutSummary(result.leftOut),
                     QStringLiteral("1 row was not stored: 1 names Empire # 999."));
        }
        QCOMPARE(t.count(QStringLiteral("Fleets"), 999), 0);
        QCOMPARE(t.count(QStringLiteral("Fleets")), t.count(QStringLiteral("Fleets"), 126));
    }

    void tellsEveryRowItLeftOut()
    {
        TestStore t;
        const QByteArray output = readerOutput(
            {{kFleets,
              {{"N", "I1", "SNobody's"}, {"I999", "I2", "SOther"}, {"I123", "I3", "SMine"}}},
             {kFleets + 1, {{"I999", "SPlan"}, {"I998", "SPlan"}, {"N", "SPlan"}}}});
        const ImportResult result =
            TurnImporter(t.store(), readerWriting(t, output))
                .importFile(123, TestStore::dataFile(QStringLiteral("123.mdb")));
        QCOMPARE(leftOutSummary(result.leftOut),
                 QStringLiteral("5 rows were not stored: 2 name no empire, 1 names Empire # 998, "
                                "2 name Empire # 999."));
        QCOMPARE(t.dump(QStringLiteral("Fleets"), QStringLiteral("EmpireID, FleetID, FleetName")),
                 QStringList{"123|3|Mine"});
        QCOMPARE(t.count(QStringLiteral("Force Battle Plans")), 0);
    }

    // Values the reader reads from the row itself, in each way the file may keep them.
    void readsEachValueAsTheFileKeepsIt_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QStringList>("stored");
        const QByteArray whole =
            TestStore::contentsOf(TestStore::dataFile(QStringLiteral("123.mdb")));
        // A text's second way: the mark FF FE, then a byte a letter (an odd count of bytes).
        QTest::newRow("a name kept compressed")
            << withSolCompressed(whole) << "System Names"
            << "StarName"
            << QStringList{"Sol", "Tarsis", "Vega", "Barnard's Star", "Ærendel", "Kappa Ceti"};
        // An Integer has a sign: Vega's orbit 4 made FF FF.
        QByteArray negative = whole;
        const qsizetype vega =
            whole.indexOf(QByteArray::fromHex("7b0000000400") + QByteArray("V\0e\0g\0a\0", 8));
        QVERIFY(vega > 0);
        negative.replace(vega + 4, 2, QByteArray::fromHex("ffff"));
        QTest::newRow("an integer below zero")
            << negative << "Orbital Locations"
            << "OrbitalLocation" << QStringList{"1", "2", "3", "1", "3", "-1", "2", "5", "1"};
    }
    void readsEachValueAsTheFileKeepsIt()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, table);
        QFETCH(QString, fields);
        QFETCH(QStringList, stored);
        TestStore t;
        const QString path = t.fileWith(QStringLiteral("123.mdb"), contents);
        TurnImporter(t.store(), TestStore::readerPath()).importFile(123, path);
        QCOMPARE(t.dump(table, fields), stored);
    }

    void aFileOfOtherEmpiresChangesNothingUnlessAccepted_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<QString>("found");
        QTest::newRow("its own file") << "123.mdb" << true << "123";
        QTest::newRow("an empty file") << "124.mdb" << false << "";
        QTest::newRow("another empire's file") << "126.mdb" << false << "126,999";
    }
    void aFileOfOtherEmpiresChangesNothingUnlessAccepted()
    {
        QFETCH(QString, file);
        QFETCH(bool, replaced);
        QFETCH(QString, found);
        TestStore t;
        fillEmpire(t, 123);
        const QStringList before = t.snapshot();
        const TurnImporter importer(t.store(), TestStore::readerPath());
        const ImportResult kept =
            importer.importFile(123, TestStore::dataFile(file), ForeignFile::KeepOldData);
        QCOMPARE(kept.replaced, replaced);
        QStringList ids;
        for (const qint64 id : kept.empireIds)
            ids << QString::number(id);
        QCOMPARE(ids.join(QLatin1Char(',')), found);
        if (replaced)
            return;
        QCOMPARE(t.snapshot(), before);
        QVERIFY(importer.importFile(123, TestStore::dataFile(file)).replaced);
        QCOMPARE(t.count(QStringLiteral("Fleets"), 123), 0);
    }

    void storesWhatTheReaderWrites_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QString>("stored"); // the fleets, or the cause of the refusal
        QTest::newRow("rows") << readerOutput({{kFleets, {{"I123", "I7", "SHome"}}}})
                              << "123|7|Home";
        QTest::newRow("a row without an empire is not stored")
            << readerOutput({{kFleets, {{"N", "I1", "SNobody's"}, {"I123", "I2", "SMine"}}}})
            << "123|2|Mine";
        QTest::newRow("no value") << readerOutput({{kFleets, {{"I123", "N", "N"}}}})
                                  << "123|<null>|<null>";
        QTest::newRow("text in an identifier")
            << readerOutput({{kFleets, {{"I123", "S7", "SHome"}}}}) << "malformed";
        QTest::newRow("a number as a name")
            << readerOutput({{kFleets, {{"I123", "I7", "I7"}}}}) << "malformed";
        // No empire number is below 1: a negative one is damage; 0 names another empire.
        QTest::newRow("a negative empire")
            << readerOutput({{kFleets, {{"I-5", "I7", "SHome"}, {"I123", "I2", "SMine"}}}})
            << "names Empire # -5";
        QTest::newRow("empire 0 is another empire's")
            << readerOutput({{kFleets, {{"I0", "I7", "SHome"}, {"I123", "I2", "SMine"}}}})
            << "123|2|Mine";
        QTest::newRow("an identifier past 32 bits")
            << readerOutput({{kFleets, {{"I123", "I2147483648", "SHome"}}}}) << "out of range";
        const QByteArray whole = readerOutput({{kFleets, {{"I123", "I7", "SHome"}}}});
        QTest::newRow("cut short") << whole.left(whole.size() - 5) << "incomplete";
        QTest::newRow("a row not counted")
            << readerOutput({{kFleets, {{"I123", "I7", "SHome"}}}}, 2) << "incomplete";
        QTest::newRow("more rows than counted")
            << readerOutput({{kFleets, {{"I123", "I7", "SHome"}, {"I123", "I8", "SAway"}}}}, 1)
            << "incomplete";
        QTest::newRow("nothing") << QByteArray() << "incomplete";
        QTest::newRow("noise") << QByteArray("garbage") << "malformed";
        QTest::newRow("past the end") << readerOutput({}) + "T"
                                      << "past its end";
        // A table the program does not read is told after the last table's rows.
        const QByteArray shipDesigns = unreadFrame("Ship Designs", 1);
        QTest::newRow("a table not read") << beforeItsEnd(whole, shipDesigns) << "123|7|Home";
        QTest::newRow("a table not read, before the rows") << shipDesigns + whole << "malformed";
        QTest::newRow("a table not read, its name with a tab")
            << beforeItsEnd(whole, unreadFrame("Ship\tDesigns", 1)) << "malformed";
        QTest::newRow("a table not read, cut short")
            << beforeItsEnd(whole, shipDesigns.left(shipDesigns.size() - 3)) << "malformed";
    }
    void storesWhatTheReaderWrites()
    {
        QFETCH(QByteArray, output);
        QFETCH(QString, stored);
        TestStore t;
        fillEmpire(t, 123);
        const QStringList before = t.snapshot();
        const QString reader = readerWriting(t, output);
        try {
            TurnImporter(t.store(), reader)
                .importFile(123, TestStore::dataFile(QStringLiteral("123.mdb")));
            QCOMPARE(
                t.dump(QStringLiteral("Fleets"), QStringLiteral("EmpireID, FleetID, FleetName")),
                QStringList{stored});
        } catch (const Error& error) {
            QVERIFY2(error.message().contains(stored), qPrintable(error.message()));
            QCOMPARE(t.snapshot(), before);
        }
    }

    // The old program's database read as a turn results file holds its Orders besides the
    // tables read: they are kept to be told, until the next import.
    void tellsTheTablesItDoesNotRead()
    {
        TestStore t;
        const TurnImporter importer(t.store(), TestStore::readerPath());
        const QString legacy = TestStore::dataFile(QStringLiteral("legacy/VF Turn Entry Data.mdb"));
        QVERIFY(importer.importFile(123, legacy).replaced);
        QCOMPARE(unreadTablesOf(t.store(), 123), (QList<UnreadTable>{{"Orders", 5}}));
        QCOMPARE(unreadTablesLine(unreadTablesOf(t.store(), 123)),
                 QStringLiteral("The file also holds: Orders (5 rows), not read by this program"));
        QVERIFY(importer.importFile(123, TestStore::dataFile(QStringLiteral("123.mdb"))).replaced);
        QCOMPARE(unreadTablesOf(t.store(), 123), QList<UnreadTable>());
    }

    void aFullDiskIsReportedAsSuch()
    {
        TestStore t;
        fillEmpire(t, 123);
        const QStringList before = t.snapshot();
        // The database may grow by a few pages only.
        QSqlQuery pages = t.store().run(QStringLiteral("PRAGMA page_count"));
        QVERIFY(pages.next());
        t.store().run(QStringLiteral("PRAGMA max_page_count = %1").arg(pages.value(0).toInt() + 3));
        const QString message =
            expectFailure(t, TestStore::dataFile(QStringLiteral("900.mdb")), 900);
        QVERIFY2(message.contains(QStringLiteral("the disk holding %1 is full")
                                      .arg(QDir::toNativeSeparators(t.path()))),
                 qPrintable(message));
        QCOMPARE(t.snapshot(), before);
    }
};

QTEST_GUILESS_MAIN(TestTurnImport)
#include "tst_turnimport.moc"
