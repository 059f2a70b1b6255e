#include "Error.h"
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
QStringList expectedRows(const QString& dumpFolder, const reader::Table& table)
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

QString fieldList(const reader::Table& table)
{
    QStringList fields;
    for (const auto& field : table.fields)
        fields << Store::quoted(QString::fromUtf8(field.name.data(), field.name.size()));
    return fields.join(QStringLiteral(", "));
}

QString tableName(const reader::Table& table)
{
    return QString::fromUtf8(table.name.data(), table.name.size());
}

// Everything in the thirteen tables, Empires and Orders, for before/after comparisons.
void fillEmpire(TestStore& t, int empireId)
{
    t.addEmpire(empireId, QStringLiteral("Empire %1").arg(empireId));
    std::array<QString, kSlotCount> slots;
    slots.fill(QStringLiteral(" "));
    OrderRepository(t.store()).append(empireId, QStringLiteral("TREE"), slots);
    for (const auto& table : reader::kImportedTables) {
        QStringList values;
        for (const auto& field : table.fields)
            values << (field.name == "EmpireID"                       ? QString::number(empireId)
                       : field.kind == reader::FieldKind::WholeNumber ? QStringLiteral("1")
                                                                      : QStringLiteral("'old'"));
        t.store().run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(Store::quoted(tableName(table)), fieldList(table),
                               values.join(QLatin1Char(','))));
    }
}

constexpr int kFleets = 2;

// The file with one byte changed, after checking that it held the byte expected there.
QByteArray changedByte(const QByteArray& file, qsizetype at, char was, char now)
{
    if (file.at(at) != was)
        qFatal("byte %lld is not %d", static_cast<long long>(at), int(was));
    QByteArray changed = file;
    changed[at] = now;
    return changed;
}

// 123.mdb with the system "Sol" kept compressed: the mark FF FE and a byte a letter, five bytes
// instead of six. The rows at and below its place on the page move up a byte, as the engine
// packs them, and the page counts one more byte free.
QByteArray withSolCompressed(const QByteArray& file)
{
    constexpr qsizetype kPage = 4096;
    constexpr int kFreeBytes = 2;
    constexpr int kRowCount = 12;
    constexpr int kRowOffsets = 14; // the page's table of rows
    constexpr int kOffsetMask = 0x1fff;
    const QByteArray row = QByteArray::fromHex("02007b000000") + QByteArray("S\0o\0l\0", 6) +
                           QByteArray::fromHex("0c000600010003");
    const qsizetype at = file.indexOf(row);
    if (at < 0)
        qFatal("123.mdb does not keep Sol where expected");
    const qsizetype page = at / kPage * kPage;
    const auto read16 = [&file](qsizetype where) {
        return qFromLittleEndian<quint16>(file.constData() + where);
    };
    QByteArray changed = file;
    qsizetype lowest = at - page;
    for (int r = 0; r < read16(page + kRowCount); ++r) {
        const qsizetype entry = page + kRowOffsets + 2 * r;
        const int start = read16(entry) & kOffsetMask;
        if (start <= at - page)
            qToLittleEndian(quint16(read16(entry) + 1), changed.data() + entry);
        lowest = qMin<qsizetype>(lowest, start);
    }
    const QByteArray compressed = QByteArray::fromHex("02007b000000fffe") + QByteArray("Sol") +
                                  QByteArray::fromHex("0b000600010003");
    changed.replace(page + lowest, at + row.size() - page - lowest,
                    QByteArray(1, '\0') + file.mid(page + lowest, at - page - lowest) + compressed);
    qToLittleEndian(quint16(read16(page + kFreeBytes) + 1), changed.data() + page + kFreeBytes);
    return changed;
}

QString expectFailure(TestStore& t, const QString& file, int empireId, ReaderLimits limits = {},
                      const QString& reader = TestStore::readerPath())
{
    try {
        TurnImporter(t.store(), reader, limits).importFile(empireId, file);
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

    void convertsTextAsTheEngineWould_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("identifier"); // empty: not an identifier
        QTest::newRow("digits") << "42"
                                << "42";
        QTest::newRow("blanks and a sign") << " +42 "
                                           << "42";
        QTest::newRow("negative") << "-7"
                                  << "-7";
        QTest::newRow("the largest") << "2147483647"
                                     << "2147483647";
        QTest::newRow("the smallest") << "-2147483648"
                                      << "-2147483648";
        QTest::newRow("past 32 bits") << "2147483648"
                                      << "";
        QTest::newRow("letters") << "4x2"
                                 << "";
        QTest::newRow("a decimal") << "4.5"
                                   << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("a sign alone") << "-"
                                      << "";
        QTest::newRow("a blank inside") << "4 2"
                                        << "";
        QTest::newRow("eleven digits") << "00000000042"
                                       << "";
    }
    void convertsTextAsTheEngineWould()
    {
        // A file whose FleetID is a Text field: what the engine would convert is stored as the
        // number; anything else refuses the file.
        QFETCH(QString, text);
        QFETCH(QString, identifier);
        const auto converted = reader::identifierFromText(text.toStdString());
        QCOMPARE(converted ? QString::number(*converted) : QString(), identifier);
    }

    void numbersBecomeIdentifiersAndNames_data()
    {
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QString>("name");
        QTest::newRow("whole") << 12.0 << "12"
                               << "12";
        QTest::newRow("a fraction") << 2.5 << ""
                                    << "2.5";
        QTest::newRow("negative") << -3.0 << "-3"
                                  << "-3";
        QTest::newRow("past 32 bits") << 4294967296.0 << ""
                                      << "4294967296";
        QTest::newRow("single precision") << double(2.3f) << ""
                                          << "2.29999995231628";
    }
    void numbersBecomeIdentifiersAndNames()
    {
        QFETCH(double, number);
        QFETCH(QString, identifier);
        QFETCH(QString, name);
        const auto converted = reader::identifierFromNumber(number);
        QCOMPARE(converted ? QString::number(*converted) : QString(), identifier);
        QCOMPARE(QString::fromStdString(reader::textFromNumber(number)), name);
    }
};

QTEST_GUILESS_MAIN(TestTurnImport)
#include "tst_turnimport.moc"
