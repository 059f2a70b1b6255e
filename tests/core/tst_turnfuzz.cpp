#include "Error.h"
#include "TestStore.h"
#include "turnimport/ImportedTables.h"
#include "turnimport/TurnImporter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace vf;
using namespace vf::test;

namespace {

constexpr int kTruncated = 150;
constexpr int kOverwritten = 160;

QStringList snapshot(TestStore& t)
{
    QStringList all = t.dump(QStringLiteral("Empires"), QStringLiteral("*")) +
                      t.dump(QStringLiteral("Orders"), QStringLiteral("*"));
    for (const auto& table : turnfile::kImportedTables)
        all += t.dump(QString::fromUtf8(table.name.data(), table.name.size()), QStringLiteral("*"));
    return all;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

} // namespace

// Damaged and hostile turn results files: each import either succeeds or fails with a
// message, never crashes or hangs the program, and a failure changes nothing.
class TestTurnFuzz : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void damagedFilesNeverHurtTheProgram_data()
    {
        QTest::addColumn<QByteArray>("contents");
        const QByteArray original = readFile(TestStore::dataFile(QStringLiteral("123.mdb")));
        QRandomGenerator random(20261208);
        for (int i = 0; i < kTruncated; ++i) {
            const int length = random.bounded(original.size());
            QTest::addRow("truncated %d at %d", i, length) << original.left(length);
        }
        for (int i = 0; i < kOverwritten; ++i) {
            QByteArray damaged = original;
            const int changes = 1 + random.bounded(12);
            // Most damage spares the header so the file reaches the reader.
            const int from = random.bounded(10) == 0 ? 0 : 0x80;
            for (int c = 0; c < changes; ++c)
                damaged[random.bounded(from, damaged.size())] = char(random.bounded(256));
            QTest::addRow("overwritten %d", i) << damaged;
        }
        const QDir hostile(TestStore::dataFile(QStringLiteral("hostile")));
        for (const QString& name : hostile.entryList({QStringLiteral("*.mdb")}))
            QTest::newRow(qPrintable(name)) << readFile(hostile.filePath(name));
    }

    void damagedFilesNeverHurtTheProgram()
    {
        QFETCH(QByteArray, contents);
        const QString path = m_store->path() + QStringLiteral("/123.mdb");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
        file.close();
        const QStringList before = snapshot(*m_store);
        WorkerLimits limits;
        limits.timeLimitMs = 2000;
        try {
            TurnImporter(m_store->store(), TestStore::workerPath(), limits).importFile(123, path);
            ++m_succeeded;
        } catch (const Error& error) {
            ++m_failed;
            QVERIFY2(error.message().contains(QStringLiteral("could not be imported")),
                     qPrintable(error.message()));
            QCOMPARE(snapshot(*m_store), before);
        }
    }

    void initTestCase()
    {
        m_store = std::make_unique<TestStore>();
        m_store->importFixture(QStringLiteral("123.mdb"), 123);
    }

    void cleanupTestCase()
    {
        qInfo("%d damaged files imported, %d refused", m_succeeded, m_failed);
        QVERIFY(m_failed > 0);
    }

private:
    std::unique_ptr<TestStore> m_store;
    int m_succeeded = 0;
    int m_failed = 0;
};

QTEST_GUILESS_MAIN(TestTurnFuzz)
#include "tst_turnfuzz.moc"
