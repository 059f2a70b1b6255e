#include "Error.h"
#include "TestStore.h"
#include "turnimport/ImportedTables.h"
#include "turnimport/TurnImporter.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace vf;
using namespace vf::test;

namespace {

constexpr int kPageSize = 4096;
constexpr int kCutAnywhere = 120;
constexpr int kPagesDamaged = 300;
constexpr int kBytesOverwritten = 300;
constexpr int kHeaderSize = 0x80;

enum class Damage { Cut, Page, BytesInside, Hostile };
constexpr int kDamageKinds = 4;
const char* const kDamageNames[kDamageKinds] = {"cut short", "a page replaced", "bytes overwritten",
                                                "hostile"};

QStringList snapshot(TestStore& t)
{
    QStringList all = t.dump(QStringLiteral("Empires"), QStringLiteral("*")) +
                      t.dump(QStringLiteral("Orders"), QStringLiteral("*"));
    for (const auto& table : turnfile::kImportedTables)
        all += t.dump(QString::fromUtf8(table.name.data(), table.name.size()), QStringLiteral("*"));
    return all;
}

// A page of the file replaced: by zeros (a lost disk block), by noise, or by a copy of
// another page of the same file (a download put together in the wrong order).
QByteArray damagePage(const QByteArray& original, QRandomGenerator& random)
{
    QByteArray damaged = original;
    const int pages = int(original.size() / kPageSize);
    const int page = random.bounded(1, pages);
    QByteArray replacement;
    switch (random.bounded(3)) {
    case 0:
        replacement = QByteArray(kPageSize, '\0');
        break;
    case 1:
        for (int i = 0; i < kPageSize; ++i)
            replacement += char(random.bounded(256));
        break;
    default:
        replacement = original.mid(qsizetype(random.bounded(1, pages)) * kPageSize, kPageSize);
    }
    damaged.replace(qsizetype(page) * kPageSize, kPageSize, replacement);
    return damaged;
}

} // namespace

Q_DECLARE_METATYPE(Damage)

// Damaged, cut-short and hostile turn results files: no import crashes or hangs the program,
// a refusal changes nothing, every cut-short or hostile file is
// refused, and an accepted import stores exactly the undamaged rows (bytes overwritten inside
// a value excepted: nothing in the file can tell).
class TestTurnFuzz : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void damagedFilesNeverHurtTheProgram_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<Damage>("damage");
        const QByteArray original =
            TestStore::contentsOf(TestStore::dataFile(QStringLiteral("123.mdb")));
        QRandomGenerator random(20261208);
        for (qsizetype length = kPageSize; length < original.size(); length += kPageSize)
            QTest::addRow("cut at page %d", int(length / kPageSize))
                << original.left(length) << Damage::Cut;
        for (int i = 0; i < kCutAnywhere; ++i) {
            const int length = random.bounded(int(original.size()));
            QTest::addRow("cut at %d", length) << original.left(length) << Damage::Cut;
        }
        for (int i = 0; i < kPagesDamaged; ++i)
            QTest::addRow("page damaged %d", i) << damagePage(original, random) << Damage::Page;
        for (int i = 0; i < kBytesOverwritten; ++i) {
            QByteArray damaged = original;
            const int changes = 1 + random.bounded(12);
            // Most damage spares the header so the file reaches the reader.
            const int from = random.bounded(10) == 0 ? 0 : kHeaderSize;
            for (int c = 0; c < changes; ++c)
                damaged[random.bounded(from, int(damaged.size()))] = char(random.bounded(256));
            QTest::addRow("overwritten %d", i) << damaged << Damage::BytesInside;
        }
        const QDir hostile(TestStore::dataFile(QStringLiteral("hostile")));
        for (const QString& name : hostile.entryList({QStringLiteral("*.mdb")}))
            QTest::newRow(qPrintable(name))
                << TestStore::contentsOf(hostile.filePath(name)) << Damage::Hostile;
    }

    void damagedFilesNeverHurtTheProgram()
    {
        QFETCH(QByteArray, contents);
        QFETCH(Damage, damage);
        const QString path = m_store->path() + QStringLiteral("/123.mdb");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
        file.close();
        WorkerLimits limits;
        limits.timeLimitMs = 2000;
        bool imported = false;
        try {
            TurnImporter(m_store->store(), TestStore::workerPath(), limits).importFile(123, path);
            imported = true;
        } catch (const Error& error) {
            QVERIFY2(error.message().contains(QStringLiteral("could not be imported")),
                     qPrintable(error.message()));
        }
        ++(imported ? m_imported : m_refused)[int(damage)];
        const QStringList stored = snapshot(*m_store);
        if (stored == m_undamaged)
            return;
        initTestCase(); // a fresh database for the cases that follow
        QVERIFY2(imported, "a refused import changed the database");
        // A character changed inside a text, or a changed number, is invisible in a format
        // without checksums; everything else must be refused.
        QVERIFY2(damage == Damage::BytesInside, "the import stored other rows than the file's");
        ++m_changedValues;
    }

    void initTestCase()
    {
        m_store = std::make_unique<TestStore>();
        m_store->importFixture(QStringLiteral("123.mdb"), 123);
        m_undamaged = snapshot(*m_store);
    }

    void cleanupTestCase()
    {
        for (int d = 0; d < kDamageKinds; ++d)
            qInfo("%-32s %4d imported, %4d refused", kDamageNames[d], m_imported[d], m_refused[d]);
        qInfo("of the imported files with bytes overwritten, %d stored a changed value",
              m_changedValues);
        QCOMPARE(m_imported[int(Damage::Cut)] + m_imported[int(Damage::Hostile)], 0);
        QVERIFY(m_imported[int(Damage::Page)] + m_imported[int(Damage::BytesInside)] > 0);
    }

private:
    std::unique_ptr<TestStore> m_store;
    QStringList m_undamaged;
    int m_imported[kDamageKinds] = {};
    int m_refused[kDamageKinds] = {};
    int m_changedValues = 0;
};

QTEST_GUILESS_MAIN(TestTurnFuzz)
#include "tst_turnfuzz.moc"
