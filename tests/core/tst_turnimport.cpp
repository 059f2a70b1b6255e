#include "Error.h"
#include "TestStore.h"
#include "store/OrderRepository.h"
#include "turnimport/ImportedTables.h"
#include "turnimport/StagingArea.h"
#include "turnimport/StagingFormat.h"
#include "turnimport/TurnImporter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace vf;
using namespace vf::test;

namespace {

// Reads one CSV file as mdb-export writes it: a header line, then quoted texts and numbers.
QList<QStringList> readCsv(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    const QString text = QString::fromUtf8(file.readAll());
    QList<QStringList> rows;
    QStringList row;
    QString value;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                value += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                value += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << value;
            value.clear();
        } else if (c == QLatin1Char('\n')) {
            row << value;
            rows << row;
            row.clear();
            value.clear();
        } else if (c != QLatin1Char('\r')) {
            value += c;
        }
    }
    return rows;
}

// The rows of a dump, keeping the import's fields, as "a|b|c".
QStringList expectedRows(const QString& dumpFolder, const turnfile::Table& table)
{
    const QList<QStringList> csv =
        readCsv(QDir(dumpFolder)
                    .filePath(QString::fromUtf8(table.name.data(), table.name.size()) +
                              QStringLiteral(".csv")));
    QList<int> columns;
    for (const auto& field : table.fields)
        columns << csv.first().indexOf(QString::fromUtf8(field.name.data(), field.name.size()));
    QStringList rows;
    for (qsizetype r = 1; r < csv.size(); ++r) {
        QStringList values;
        for (int column : columns)
            values << csv[r][column];
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

QString fieldList(const turnfile::Table& table)
{
    QStringList fields;
    for (const auto& field : table.fields)
        fields << Store::quoted(QString::fromUtf8(field.name.data(), field.name.size()));
    return fields.join(QStringLiteral(", "));
}

QString tableName(const turnfile::Table& table)
{
    return QString::fromUtf8(table.name.data(), table.name.size());
}

// Everything in the thirteen tables, Empires and Orders, for before/after comparisons.
QStringList snapshot(TestStore& t)
{
    QStringList all = t.dump(QStringLiteral("Empires"), QStringLiteral("*")) +
                      t.dump(QStringLiteral("Orders"), QStringLiteral("*"));
    for (const auto& table : turnfile::kImportedTables)
        all += t.dump(tableName(table), QStringLiteral("*"));
    return all;
}

void fillEmpire(TestStore& t, int empireId)
{
    t.addEmpire(empireId, QStringLiteral("Empire %1").arg(empireId));
    std::array<QString, kSlotCount> slots;
    slots.fill(QStringLiteral(" "));
    OrderRepository(t.store()).append(empireId, QStringLiteral("TREE"), slots);
    for (const auto& table : turnfile::kImportedTables) {
        QStringList values;
        for (const auto& field : table.fields)
            values << (field.name == "EmpireID"                         ? QString::number(empireId)
                       : field.kind == turnfile::FieldKind::WholeNumber ? QStringLiteral("1")
                                                                        : QStringLiteral("'old'"));
        t.store().run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(Store::quoted(tableName(table)), fieldList(table),
                               values.join(QLatin1Char(','))));
    }
}

// Writes a complete staging file as the reader would, with the given rows added.
QString writeStaging(TestStore& t, const QStringList& inserts)
{
    const QString staging = t.path() + QStringLiteral("/staging.sqlite");
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("staging"));
        db.setDatabaseName(staging);
        if (!db.open())
            qFatal("cannot write %s", qPrintable(staging));
        QSqlQuery q(db);
        QStringList statements;
        for (const auto& table : turnfile::kImportedTables)
            statements << QStringLiteral("CREATE TABLE %1 (%2)")
                              .arg(Store::quoted(tableName(table)), fieldList(table));
        statements << inserts
                   << QStringLiteral("PRAGMA user_version = %1").arg(turnfile::kStagingComplete);
        for (const QString& statement : statements) {
            if (!q.exec(statement))
                qFatal("cannot run %s", qPrintable(statement));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("staging"));
    return staging;
}

QStringList stagingLeftOvers(TestStore& t)
{
    return QDir(t.path() + QStringLiteral("/.import-staging"))
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

QString expectFailure(TestStore& t, const QString& file, int empireId, WorkerLimits limits = {},
                      const QString& worker = TestStore::workerPath())
{
    try {
        TurnImporter(t.store(), worker, limits).importFile(empireId, file);
    } catch (const Error& error) {
        return error.message();
    }
    return QString();
}

} // namespace

class TestTurnImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void importsEveryRowAndFieldExactly_data()
    {
        QTest::addColumn<int>("table");
        for (int i = 0; i < int(turnfile::kImportedTables.size()); ++i)
            QTest::newRow(qPrintable(tableName(turnfile::kImportedTables[i]))) << i;
    }
    void importsEveryRowAndFieldExactly()
    {
        QFETCH(int, table);
        const auto& t13 = turnfile::kImportedTables[table];
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

    void importingTwiceLeavesTheSameRows()
    {
        TestStore t;
        t.importFixture(QStringLiteral("123.mdb"), 123);
        const QStringList once = snapshot(t);
        t.importFixture(QStringLiteral("123.mdb"), 123);
        QCOMPARE(snapshot(t), once);
    }

    void leavesOtherEmpiresEmpiresAndOrdersAlone()
    {
        TestStore t;
        fillEmpire(t, 456);
        fillEmpire(t, 123);
        t.importFixture(QStringLiteral("123.mdb"), 123);
        QCOMPARE(t.count(QStringLiteral("Fleets"), 456), 1);
        QCOMPARE(t.count(QStringLiteral("Fleets"), 123), 6);
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
        for (const auto& table : turnfile::kImportedTables)
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
        QCOMPARE(t.count(QStringLiteral("Fleets"), 999), 1);
        QVERIFY(
            t.dump(QStringLiteral("Force Battle Plans"), QStringLiteral("quote(ForceBattlePlan)"))
                .contains(QStringLiteral("''")));
        QCOMPARE(t.dump(QStringLiteral("Items"), QStringLiteral("max(length(ItemName))")),
                 QStringList{"410"});
        QCOMPARE(t.dump(QStringLiteral("Warp Points"),
                        QStringLiteral("quote(WarpPointID) || ':' || quote(DestinationStarName)")),
                 (QStringList{"1:''", "2:NULL", "3:'?'", "4:'X'", "5:'?12'", "NULL:'Vega'"}));
        // The other texts as the dump has them (it writes NULL and empty text alike).
        for (const auto& table : turnfile::kImportedTables) {
            QStringList rows = t.dump(tableName(table), fieldList(table));
            rows.replaceInStrings(QStringLiteral("<null>"), QString());
            QCOMPARE(rows, expectedRows(TestStore::dataFile(QStringLiteral("dumps/126")), table));
        }
    }

    void aSecondImportKeepsRowsOfOtherEmpiresFromTheFile()
    {
        TestStore t;
        t.importFixture(QStringLiteral("126.mdb"), 126);
        t.importFixture(QStringLiteral("126.mdb"), 126);
        QCOMPARE(t.count(QStringLiteral("Fleets"), 999), 2);
    }

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
        QTest::newRow("crash") << TestStore::dataFile(QStringLiteral("hostile/segfault-1.mdb"))
                               << "damaged";
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
        const QStringList before = snapshot(t);
        const QString message = expectFailure(t, file, 123, WorkerLimits{3000});
        QVERIFY2(message.contains(QDir::toNativeSeparators(file)), qPrintable(message));
        QVERIFY2(message.contains(QRegularExpression(cause)), qPrintable(message));
        QCOMPARE(snapshot(t), before);
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
        const QString path = t.path() + QStringLiteral("/123.mdb");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();
        const QString message = expectFailure(t, path, 123);
        QVERIFY2(message.contains(QStringLiteral("turn results file")), qPrintable(message));
    }

    void aWorkerKilledHalfWayChangesNothing()
    {
        TestStore t;
        fillEmpire(t, 123);
        const QStringList before = snapshot(t);
        // The time limit stops the worker long before it can finish.
        const QString message =
            expectFailure(t, TestStore::dataFile(QStringLiteral("900.mdb")), 123, WorkerLimits{1});
        QVERIFY2(message.contains(QStringLiteral("too long")), qPrintable(message));
        QCOMPARE(snapshot(t), before);
    }

    void everyComplaintOfTheReaderRefusesTheFile_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("cause");
        QTest::newRow("a complaint on a clean exit")
            << QByteArray("\"$READER\" \"$1\" \"$2\" && echo \"warning: page 12 from map doesn't "
                          "match\" >&2")
            << "damaged: reading it failed \\(warning: page 12 from map";
        QTest::newRow("a page past the end")
            << QByteArray("\"$READER\" \"$1\" \"$2\"; echo 'offset 999424 is beyond EOF' >&2")
            << "incomplete \\(was the download cut short\\?\\)";
        QTest::newRow("a full disk")
            << QByteArray("exec \"$READER\" \"$1\" /dev/full") << "not enough disk space";
        QTest::newRow("a signal") << QByteArray("kill -SEGV $$") << "damaged";
        QTest::newRow("no staging file") << QByteArray("exit 0") << "did not finish";
        QTest::newRow("a malformed staging file")
            << QByteArray("printf 'partial' > \"$2\"") << "not a database|did not finish";
    }
    void everyComplaintOfTheReaderRefusesTheFile()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, cause);
        TestStore t;
        fillEmpire(t, 123);
        const QStringList before = snapshot(t);
        const QString message = expectFailure(t, TestStore::dataFile(QStringLiteral("123.mdb")),
                                              123, {}, t.fakeWorker(script));
        QVERIFY2(message.contains(QRegularExpression(cause)), qPrintable(message));
        QCOMPARE(snapshot(t), before);
        QCOMPARE(stagingLeftOvers(t), QStringList());
    }

    void cancelEndsTheReadingAtOnce()
    {
        TestStore t;
        fillEmpire(t, 123);
        const QStringList before = snapshot(t);
        const TurnImporter importer(t.store(), t.fakeWorker("exec sleep 60"));
        QElapsedTimer clock;
        clock.start();
        int asked = 0;
        try {
            importer.read(TestStore::dataFile(QStringLiteral("123.mdb")),
                          [&] { return ++asked > 3; });
            QFAIL("a cancelled reading was taken as complete");
        } catch (const Error& error) {
            QVERIFY2(error.message().contains(QStringLiteral("cancelled")),
                     qPrintable(error.message()));
        }
        QVERIFY2(clock.elapsed() < 30000, "the worker was waited for instead of ended");
        QCOMPARE(snapshot(t), before);
        QCOMPARE(stagingLeftOvers(t), QStringList());
    }

    void staysCleanAndSweepsWhatAKilledRunLeft()
    {
        TestStore t;
        t.importFixture(QStringLiteral("123.mdb"), 123);
        expectFailure(t, TestStore::dataFile(QStringLiteral("125.mdb")), 125);
        QCOMPARE(stagingLeftOvers(t), QStringList());

        const StagingArea area = StagingArea::besideDatabase(t.folder().databaseFile());
        const auto live = area.startRun();
        const QString leftOver = area.root() + QStringLiteral("/run-killed");
        QVERIFY(QDir().mkpath(leftOver));
        QFile staging(leftOver + QStringLiteral("/staging.sqlite"));
        QVERIFY(staging.open(QIODevice::WriteOnly));
        staging.close();
        area.sweep();
        QVERIFY(!QFileInfo::exists(leftOver));
        QVERIFY(QFileInfo::exists(live->folder()));
    }

    void asksWhoseRowsTheFileHolds_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("holds");
        QTest::addColumn<QString>("found");
        QTest::newRow("its own file") << "123.mdb" << true << "";
        QTest::newRow("an empty file") << "124.mdb" << false << "";
        QTest::newRow("another empire's file") << "126.mdb" << false << "126,999";
    }
    void asksWhoseRowsTheFileHolds()
    {
        QFETCH(QString, file);
        QFETCH(bool, holds);
        QFETCH(QString, found);
        TestStore t;
        const TurnImporter importer(t.store(), TestStore::workerPath());
        const auto staged = importer.read(TestStore::dataFile(file));
        const EmpiresInFile empires = importer.empiresIn(123, *staged);
        QCOMPARE(empires.holdsChosenEmpire, holds);
        QStringList ids;
        for (const qint64 id : empires.empireIds)
            ids << QString::number(id);
        QCOMPARE(ids.join(QLatin1Char(',')), found);
    }

    void aMissingWorkerIsReported()
    {
        TestStore t;
        const QString message =
            expectFailure(t, TestStore::dataFile(QStringLiteral("123.mdb")), 123, {},
                          t.path() + QStringLiteral("/no-such-reader"));
        QVERIFY2(message.contains(QStringLiteral("could not be started")), qPrintable(message));
    }

    void convertsNumberTypesOfTheFile()
    {
        // A staging file as the reader writes it for a file whose identifiers are Double
        // fields and whose orbital location is a Single.
        TestStore t;
        const QString staging = writeStaging(
            t, {QStringLiteral("INSERT INTO Fleets VALUES (123.0, 12.0, 7)"),
                QStringLiteral("INSERT INTO \"Orbital Locations\" VALUES (123, 'Sol', 3.0)"),
                QStringLiteral("INSERT INTO \"Orbital Locations\" VALUES (123, 'Sol', 2.5)")});
        TurnImporter(t.store(), TestStore::workerPath())
            .copyStaging(123, staging, QStringLiteral("123.mdb"));
        QCOMPARE(
            t.dump(QStringLiteral("Fleets"),
                   QStringLiteral(
                       "typeof(EmpireID), FleetID, typeof(FleetID), FleetName, typeof(FleetName)")),
            QStringList{"integer|12|integer|7|text"});
        QCOMPARE(t.dump(QStringLiteral("Orbital Locations"), QStringLiteral("OrbitalLocation")),
                 (QStringList{"3", "2.5"}));
    }

    void convertsIdentifiersHeldAsText_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("stored");
        QTest::newRow("digits") << "'42'"
                                << "42";
        QTest::newRow("blanks and a sign") << "' +42 '"
                                           << "42";
        QTest::newRow("negative") << "'-7'"
                                  << "-7";
        QTest::newRow("letters") << "'4x2'"
                                 << "";
        QTest::newRow("a decimal") << "'4.5'"
                                   << "";
        QTest::newRow("empty") << "''"
                               << "";
        QTest::newRow("past 32 bits") << "'2147483648'"
                                      << "";
        QTest::newRow("a sign alone") << "'-'"
                                      << "";
    }
    void convertsIdentifiersHeldAsText()
    {
        // A file whose FleetID is a Text field: what the engine would convert is stored as the
        // number, anything else refuses the file, naming the table and the field.
        QFETCH(QString, value);
        QFETCH(QString, stored);
        TestStore t;
        fillEmpire(t, 123);
        const QStringList before = snapshot(t);
        const QString staging = writeStaging(
            t, {QStringLiteral("INSERT INTO Fleets VALUES ('123', %1, 'Text Fleet')").arg(value)});
        try {
            TurnImporter(t.store(), TestStore::workerPath())
                .copyStaging(123, staging, QStringLiteral("123.mdb"));
            QCOMPARE(t.dump(QStringLiteral("Fleets"),
                            QStringLiteral("EmpireID, typeof(FleetID), FleetID")),
                     QStringList{QStringLiteral("123|integer|") + stored});
        } catch (const Error& error) {
            QVERIFY2(stored.isEmpty(), qPrintable(error.message()));
            QVERIFY2(error.message().contains(
                         QStringLiteral("the field \"FleetID\" of the table \"Fleets\"")),
                     qPrintable(error.message()));
            QCOMPARE(snapshot(t), before);
        }
    }

    void rowsWithoutAnEmpireAreNotStored()
    {
        TestStore t;
        const QString staging =
            writeStaging(t, {QStringLiteral("INSERT INTO Fleets VALUES (NULL, 1, 'Nobody''s')"),
                             QStringLiteral("INSERT INTO Fleets VALUES (123, 2, 'Mine')")});
        TurnImporter(t.store(), TestStore::workerPath())
            .copyStaging(123, staging, QStringLiteral("123.mdb"));
        QCOMPARE(t.dump(QStringLiteral("Fleets"), QStringLiteral("EmpireID, FleetName")),
                 QStringList{"123|Mine"});
    }

    void refusesAnIdentifierThatIsNotAWholeNumber()
    {
        TestStore t;
        fillEmpire(t, 123);
        const QStringList before = snapshot(t);
        const QString staging =
            writeStaging(t, {QStringLiteral("INSERT INTO Armies VALUES (123, 2.5, 'Half')")});
        QVERIFY_THROWS_EXCEPTION(Error, TurnImporter(t.store(), TestStore::workerPath())
                                            .copyStaging(123, staging, QStringLiteral("123.mdb")));
        QCOMPARE(snapshot(t), before);
    }
};

QTEST_GUILESS_MAIN(TestTurnImport)
#include "tst_turnimport.moc"
