#include "Error.h"
#include "TestStore.h"
#include "store/OrderRepository.h"
#include "turnimport/ImportedTables.h"
#include "turnimport/StagingFormat.h"
#include "turnimport/TurnImporter.h"

#include <QDir>
#include <QFile>
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
        QTest::newRow("reader hangs")
            << TestStore::dataFile(QStringLiteral("hostile/hang-jet4.mdb")) << "too long|damaged";
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

    void aWorkerThatLeavesNoCompleteFileChangesNothing()
    {
        TestStore t;
        fillEmpire(t, 123);
        const QStringList before = snapshot(t);
        const QString script = t.path() + QStringLiteral("/fake-worker.sh");
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nprintf 'partial' > \"$2\"\nexit 0\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString message =
            expectFailure(t, TestStore::dataFile(QStringLiteral("123.mdb")), 123, {}, script);
        QVERIFY2(!message.isEmpty(), "a malformed reader output was accepted");
        QCOMPARE(snapshot(t), before);
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
