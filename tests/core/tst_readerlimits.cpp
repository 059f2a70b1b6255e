#include "DiskLimits.h"
#include "TestStore.h"
#include "platform/ChildProcessGuard.h"
#include "turnimport/ReaderRun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vf;
using namespace vf::test;

namespace {

const char* const kParentOption = "--reader-parent";

// Run as "tst_readerlimits --reader-parent": a program that starts a reader the way the
// import does and waits on it, so that a test can kill this program.
int runAsReaderParent()
{
    runReader(TestStore::programPath(QStringLiteral("vfturn-fakereader")),
              QStringLiteral("turn.mdb"), ReaderLimits{600000},
              [](const QByteArray&) { return true; });
    return 0;
}

qint64 sizeOf(const QString& path)
{
    return QFileInfo(path).size();
}

// Waits until the file has grown past the size, or the time is up.
bool growsPast(const QString& path, qint64 size, int withinMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < withinMs) {
        if (sizeOf(path) > size)
            return true;
        QTest::qWait(50);
    }
    return false;
}

struct GuardedRun {
    bool normalExit = false;
    int exitCode = -1;
    qint64 ms = 0;
};

// Runs the stand-in reader with the steps under a guard with the limits, for at most 30 s.
GuardedRun runGuarded(const QString& steps, ChildLimits limits)
{
    qputenv("VFTURN_FAKE_READER", steps.toUtf8());
    QProcess process;
    process.setProgram(TestStore::programPath(QStringLiteral("vfturn-fakereader")));
    ChildProcessGuard guard(process, limits);
    QElapsedTimer clock;
    clock.start();
    process.start();
    if (!process.waitForStarted() || !guard.started())
        return {};
    constexpr int kLongEnough = 20000;
    if (!process.waitForFinished(kLongEnough)) {
        process.kill();
        process.waitForFinished();
        return {false, -1, clock.elapsed()};
    }
    return {process.exitStatus() == QProcess::NormalExit, process.exitCode(), clock.elapsed()};
}

} // namespace

class TestReaderLimits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aKilledProgramLeavesNoReader()
    {
        QTemporaryDir dir;
        const QString heartbeat = dir.filePath(QStringLiteral("heartbeat"));
        qputenv("VFTURN_FAKE_READER", "heartbeat " + heartbeat.toUtf8());
        QProcess program;
        program.start(QCoreApplication::applicationFilePath(),
                      {QString::fromLatin1(kParentOption)});
        QVERIFY2(growsPast(heartbeat, 0, 20000), "the reader never started");
        program.kill();
        QVERIFY(program.waitForFinished(10000));
        // A reader left behind would go on beating.
        QTest::qWait(1000);
        const qint64 after = sizeOf(heartbeat);
        QVERIFY2(!growsPast(heartbeat, after, 1500), "the reader outlived the killed program");
    }

    void limitsEndARunawayReader_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<qint64>("memoryBytes");
        QTest::addColumn<int>("cpuSeconds");
        QTest::newRow("processor time") << "spin" << qint64(0) << 1;
        QTest::newRow("memory") << "allocate 1024" << qint64(256) * 1024 * 1024 << 0;
    }
    void limitsEndARunawayReader()
    {
        QFETCH(QString, steps);
        QFETCH(qint64, memoryBytes);
        QFETCH(int, cpuSeconds);
        if (!childLimitsAreEnforced())
            QSKIP("this system does not enforce the limits it is given (Wine)");
        const GuardedRun run = runGuarded(steps, {memoryBytes, cpuSeconds});
        QVERIFY2(run.ms < 15000, "the reader was not stopped by its limit");
        QVERIFY2(!run.normalExit || run.exitCode != 0,
                 "the reader went past its limit and ended as if nothing happened");
    }

    void aReaderWithinItsLimitsRunsToTheEnd()
    {
        const GuardedRun run =
            runGuarded(QStringLiteral("allocate 16\nexit 7"), {qint64(256) * 1024 * 1024, 5});
        QVERIFY(run.normalExit);
        QCOMPARE(run.exitCode, 7);
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 2 && qstrcmp(argv[1], kParentOption) == 0)
        return runAsReaderParent();
    TestReaderLimits test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_readerlimits.moc"
