#include "Error.h"
#include "FileDamage.h"
#include "TestStore.h"
#include "protocol/ImportedTables.h"
#include "turnimport/OldDatabaseImporter.h"
#include "turnimport/TurnImporter.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTest>
#include <QtEndian>

#include <map>

using namespace vf;
using namespace vf::test;

namespace {

constexpr int kCutAnywhere = 120;
constexpr int kPagesDamaged = 300;
constexpr int kBytesOverwritten = 300;
constexpr int kColumnDefinitions = 150;
constexpr int kLongTextPages = 60;
constexpr int kTextsGarbled = 200;
constexpr int kOldDatabaseMutations = 200;
constexpr int kRowLayouts = 200;
constexpr int kRowTilings = 100;
// Far beyond what reading any of these files takes, also on a busy machine: a time-out is a
// reader that hangs.
constexpr int kReaderTimeLimitMs = 30000;

// The kinds of damage; each has its own generator below.
enum class Damage {
    Cut,
    Page,
    BytesInside,
    Hostile,
    ColumnDefinition,
    LongTextPage,
    GarbledText,
    OldDatabase,
    RowLayout
};
constexpr int kDamageKinds = 9;
const char* const kDamageNames[kDamageKinds] = {
    "cut short",      "a page replaced",      "bytes overwritten",
    "hostile",        "a column definition",  "a long text's page",
    "a text garbled", "old database mutated", "a row's layout"};

const QString kTurnFile = QStringLiteral("123.mdb");
const QString kLongTextFile = QStringLiteral("126.mdb");
const QString kOldDatabase = QStringLiteral("legacy/VF Turn Entry Data.mdb");

// Whether every name stored could be one (no control characters and the like): the
// empires and the turn data; orders hold what players typed.
bool everyNameIsPlausible(TestStore& t)
{
    QStringList names = t.dump(QStringLiteral("Empires"), QStringLiteral("*"));
    for (const auto& table : reader::kImportedTables)
        names +=
            t.dump(QString::fromUtf8(table.name.data(), table.name.size()), QStringLiteral("*"));
    for (const QString& row : names) {
        for (const QChar c : row) {
            // (The further fields of a row are joined by the unit separator.)
            if ((c.category() == QChar::Other_Control && c != QChar(0x1f)) || c.isSurrogate() ||
                c.isNonCharacter() || c == QChar::ReplacementCharacter)
                return false;
        }
    }
    return true;
}

struct Outcome {
    bool imported = false;
    bool timedOut = false;
    qint64 rowsLeftOut = 0; // and told
    QString message;
};

} // namespace

Q_DECLARE_METATYPE(Damage)

// Damaged, cut-short and hostile turn results files and old databases: no import crashes or
// hangs the program, a refusal changes nothing, every cut-short or hostile file is refused,
// and an accepted import stores exactly the undamaged rows. The one exception: a letter or a
// digit changed inside a value, which nothing in a format without checksums can tell; such a
// change is counted, and it never leaves a text no name has.
class TestTurnFuzz : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void damagedFilesNeverHurtTheProgram_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<Damage>("damage");
        const QByteArray original = TestStore::contentsOf(TestStore::dataFile(kTurnFile));
        QRandomGenerator random(20261208);
        for (qsizetype length = kPageSize; length < original.size(); length += kPageSize)
            QTest::addRow("cut at page %d", int(length / kPageSize))
                << kTurnFile << original.left(length) << Damage::Cut;
        for (int i = 0; i < kCutAnywhere; ++i) {
            const int length = random.bounded(int(original.size()));
            QTest::addRow("cut at %d", length) << kTurnFile << original.left(length) << Damage::Cut;
        }
        for (int i = 0; i < kPagesDamaged; ++i)
            QTest::addRow("page damaged %d", i)
                << kTurnFile
                << replacePage(original, random.bounded(1, pageCount(original)), random)
                << Damage::Page;
        for (int i = 0; i < kBytesOverwritten; ++i)
            QTest::addRow("overwritten %d", i)
                << kTurnFile << overwriteBytes(original, random) << Damage::BytesInside;
        for (int i = 0; i < kColumnDefinitions; ++i)
            QTest::addRow("column definition %d", i)
                << kTurnFile << damageColumnDefinition(original, random)
                << Damage::ColumnDefinition;
        for (int i = 0; i < kTextsGarbled; ++i)
            QTest::addRow("text garbled %d", i)
                << kTurnFile << garbleText(original, random) << Damage::GarbledText;
        QRandomGenerator layouts(20261209);
        for (int i = 0; i < kRowLayouts; ++i) {
            const auto [damaged, broken] = breakRowLayout(original, layouts);
            QTest::addRow("row layout %d: %s", i, qPrintable(broken))
                << kTurnFile << damaged << Damage::RowLayout;
        }
        QRandomGenerator tilings(20261210);
        for (int i = 0; i < kRowTilings; ++i) {
            const auto [damaged, broken] = breakRowTiling(original, tilings);
            QTest::addRow("row tiling %d: %s", i, qPrintable(broken))
                << kTurnFile << damaged << Damage::RowLayout;
        }
        addLongTextCases(random);
        addOldDatabaseCases(random);
        const QDir hostile(TestStore::dataFile(QStringLiteral("hostile")));
        for (const QString& name : hostile.entryList({QStringLiteral("*.mdb")}))
            QTest::newRow(qPrintable(name))
                << kTurnFile << TestStore::contentsOf(hostile.filePath(name)) << Damage::Hostile;
    }

    void damagedFilesNeverHurtTheProgram()
    {
        QFETCH(QString, fixture);
        QFETCH(QByteArray, contents);
        QFETCH(Damage, damage);
        TestStore& store = storeFor(fixture);
        const QStringList before = store.snapshot();
        const QString path = store.fileWith(QStringLiteral("damaged.mdb"), contents);
        const Outcome outcome = importInto(fixture, store, path);
        QVERIFY2(!outcome.timedOut, "the reader hung on the file");
        ++(outcome.imported ? m_imported : m_refused)[int(damage)];
        const QStringList after = store.snapshot();
        if (!outcome.imported) {
            QVERIFY2(outcome.message.contains(QStringLiteral("could not be")),
                     qPrintable(outcome.message));
            QVERIFY2(after == before, "a refused import changed the database");
            return;
        }
        // A further field whose definition is damaged is left out, never a reason to refuse
        // the file; its values are names like any other (checked below): the fields the
        // import copies are compared.
        const QStringList& whole = m_whole[fixture];
        const QStringList own = store.snapshot(TestStore::Fields::Own);
        if (own == whole)
            return;
        const auto forget = qScopeGuard([&] { m_stores.erase(fixture); });
        QVERIFY2(damage != Damage::Cut && damage != Damage::Hostile,
                 "a cut-short or hostile file was imported");
        // Damage the file itself shows: a column's definition, a long text's length, a row's
        // layout.
        QVERIFY2(damage != Damage::ColumnDefinition && damage != Damage::LongTextPage &&
                     damage != Damage::RowLayout,
                 "a damaged definition, long text or row was imported as values");
        // A row whose empire number was damaged is left out, and the player told so.
        QVERIFY2(own.size() + outcome.rowsLeftOut - m_wholeLeftOut[fixture] == whole.size(),
                 "rows were lost or added");
        if (qEnvironmentVariableIsSet("VFTURN_FUZZ_SHOW")) {
            for (qsizetype i = 0; i < qMin(own.size(), whole.size()); ++i)
                if (own[i] != whole[i])
                    qInfo() << "stored" << own[i] << "instead of" << whole[i];
        }
        QVERIFY2(everyNameIsPlausible(store), "a damaged text was stored as a name");
        ++m_changedValues[int(damage)];
    }

    void initTestCase()
    {
        for (const QString& fixture : {kTurnFile, kLongTextFile, kOldDatabase}) {
            TestStore t;
            const Outcome clean = importInto(fixture, t, TestStore::dataFile(fixture));
            QVERIFY2(clean.imported, qPrintable(clean.message));
            m_whole[fixture] = t.snapshot(TestStore::Fields::Own);
            m_wholeLeftOut[fixture] = clean.rowsLeftOut;
        }
    }

    void cleanupTestCase()
    {
        qInfo("%-28s %9s %8s %18s", "damage", "imported", "refused", "a value changed");
        for (int d = 0; d < kDamageKinds; ++d)
            qInfo("%-28s %9d %8d %18d", kDamageNames[d], m_imported[d], m_refused[d],
                  m_changedValues[d]);
        QCOMPARE(m_imported[int(Damage::Cut)] + m_imported[int(Damage::Hostile)], 0);
        QVERIFY(m_imported[int(Damage::Page)] + m_imported[int(Damage::BytesInside)] > 0);
    }

private:
    void addLongTextCases(QRandomGenerator& random)
    {
        // 126.mdb keeps a long text (a memo of 410 letters) on a page of its own.
        const QByteArray original = TestStore::contentsOf(TestStore::dataFile(kLongTextFile));
        const QList<int> longTextPages =
            pagesWhere(original, [&](int page) { return isLongTextPage(original, page); });
        QVERIFY(!longTextPages.isEmpty());
        for (int i = 0; i < kLongTextPages; ++i)
            QTest::addRow("long text's page %d", i)
                << kLongTextFile
                << replacePage(original,
                               longTextPages.at(random.bounded(int(longTextPages.size()))), random)
                << Damage::LongTextPage;
    }

    void addOldDatabaseCases(QRandomGenerator& random)
    {
        const QByteArray original = TestStore::contentsOf(TestStore::dataFile(kOldDatabase));
        for (int i = 0; i < kOldDatabaseMutations; ++i)
            QTest::addRow("old database %d", i)
                << kOldDatabase << mutateOldDatabase(original, random) << Damage::OldDatabase;
    }

    // Imports the file as its fixture is imported: a turn results file for its empire, the
    // old database into an empty store.
    static Outcome importInto(const QString& fixture, TestStore& t, const QString& path)
    {
        ReaderLimits limits;
        limits.timeLimitMs = kReaderTimeLimitMs;
        Outcome outcome;
        try {
            if (fixture == kOldDatabase)
                outcome.rowsLeftOut =
                    OldDatabaseImporter(t.store(), TestStore::readerPath(), limits)
                        .importFile(path)
                        .leftOut.total();
            else
                outcome.rowsLeftOut = TurnImporter(t.store(), TestStore::readerPath(), limits)
                                          .importFile(QFileInfo(fixture).baseName().toInt(), path)
                                          .leftOut.total();
            outcome.imported = true;
        } catch (const Error& error) {
            outcome.message = error.message();
            outcome.timedOut = outcome.message.contains(QStringLiteral("took too long"));
        }
        return outcome;
    }

    // The store a case imports into: for a turn results file one holding what the undamaged
    // file gives (kept from case to case while nothing changes it); for the old database an
    // empty one each time.
    TestStore& storeFor(const QString& fixture)
    {
        auto& store = m_stores[fixture];
        if (!store || fixture == kOldDatabase) {
            store = std::make_unique<TestStore>();
            if (fixture != kOldDatabase)
                store->importFixture(fixture, QFileInfo(fixture).baseName().toInt());
        }
        return *store;
    }

    std::map<QString, std::unique_ptr<TestStore>> m_stores;
    std::map<QString, QStringList> m_whole; // what each undamaged file brings
    std::map<QString, qint64> m_wholeLeftOut;
    int m_imported[kDamageKinds] = {};
    int m_refused[kDamageKinds] = {};
    int m_changedValues[kDamageKinds] = {};
};

QTEST_GUILESS_MAIN(TestTurnFuzz)
#include "tst_turnfuzz.moc"
