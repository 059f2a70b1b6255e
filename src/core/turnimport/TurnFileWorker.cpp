#include "TurnFileWorker.h"

#include "ReaderProtocol.h"
#include "platform/ChildProcessGuard.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>

namespace vf {

namespace {

int timeLimitFor(const QString& turnFile, const WorkerLimits& limits)
{
    if (limits.timeLimitMs > 0)
        return limits.timeLimitMs;
    // A real file is read in well under a second; the limit is there for a damaged one that
    // keeps the reader going round. It is generous: a busy machine (a virus scanner looking at
    // the reader as it starts) must not have a sound file refused.
    constexpr qint64 msPerMb = 3000;
    constexpr qint64 kShortestMs = 30000;
    constexpr qint64 kLongestMs = 600000;
    const qint64 scaled = QFileInfo(turnFile).size() * msPerMb / (1024 * 1024);
    return static_cast<int>(std::clamp<qint64>(scaled, kShortestMs, kLongestMs));
}

QProcessEnvironment workerEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.insert(QStringLiteral("MDBICONV"), QStringLiteral("UTF-8"));
    env.remove(QStringLiteral("MDBOPTS"));
    env.remove(QStringLiteral("MDBPATH"));
    env.remove(QStringLiteral("MDB_JET3_CHARSET"));
    return env;
}

QString firstLine(const QByteArray& text)
{
    return QString::fromUtf8(text).section(QLatin1Char('\n'), 0, 0).trimmed();
}

// The worker's own word on why the file cannot be imported, when it gave one.
QString refusal(const QByteArray& errors)
{
    const QLatin1String prefix(turnfile::kUnusablePrefix);
    const QStringList lines = QString::fromUtf8(errors).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed();
    }
    return QString();
}

constexpr int kMsPerSecond = 1000;
constexpr int kEndGraceMs = 5000;

constexpr qint64 kPageSize = 4096;

// One run of the worker process: started with its limits, waited for while events go on,
// and read out.
class WorkerRun {
public:
    WorkerRun(const QString& workerPath, const QStringList& arguments, const WorkerLimits& limits,
              int timeLimitMs, const OutputTaker& takeOutput)
        : m_wholePages(QFileInfo(arguments.last()).size() % kPageSize == 0)
        // The old program's database was never downloaded.
        , m_cutShort(
              QString::fromLatin1(arguments.first() == QLatin1String(turnfile::kOldDatabaseOption)
                                      ? turnfile::kOldDatabaseCutShort
                                      : turnfile::kCutShort))
        , m_limits(limits)
        , m_takeOutput(takeOutput)
        // The processor time allowed is the wall-clock limit, so a worker that somehow
        // outlives its timer still ends.
        , m_guard(m_process, {limits.addressSpaceBytes, timeLimitMs / kMsPerSecond + 1})
    {
        m_process.setProgram(workerPath);
        m_process.setArguments(arguments);
        m_process.setProcessEnvironment(workerEnvironment());
        m_process.setStandardInputFile(QProcess::nullDevice());
        QObject::connect(&m_process, &QProcess::readyReadStandardError, [this] { keepOutput(); });
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] { keepOutput(); });
    }

    void run(int timeLimitMs, const CancelCheck& cancelRequested)
    {
        QEventLoop loop;
        // Once the worker has been told to end, it is waited for a few seconds at most: a
        // process the system cannot end (one stuck while starting, seen under Wine) must not
        // hold the program.
        QTimer endGrace;
        endGrace.setSingleShot(true);
        QObject::connect(&endGrace, &QTimer::timeout, [&] {
            m_unended = true;
            loop.quit();
        });
        const auto end = [&] {
            m_process.kill();
            if (!endGrace.isActive())
                endGrace.start(kEndGraceMs);
        };
        m_end = end;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            m_timedOut = true;
            end();
        });
        QTimer cancelPoll;
        QObject::connect(&cancelPoll, &QTimer::timeout, [&] {
            if (cancelRequested && cancelRequested()) {
                m_cancelled = true;
                end();
            }
        });
        QObject::connect(&m_process, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&m_process, &QProcess::errorOccurred, [&](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) {
                m_failedToStart = true;
                loop.quit();
            }
        });
        timer.start(timeLimitMs);
        constexpr int kCancelPollMs = 50;
        cancelPoll.start(kCancelPollMs);
        m_process.start();
        if (m_process.state() != QProcess::NotRunning && !m_guard.started()) {
            m_unguarded = true;
            end();
        }
        // Events go on while the worker reads: the caller keeps other actions out (a modal
        // progress dialog) and its Cancel is seen by the poll.
        if (!m_failedToStart && m_process.state() != QProcess::NotRunning)
            loop.exec();
        timer.stop();
        cancelPoll.stop();
        endGrace.stop();
        m_end = nullptr;
        if (m_process.state() != QProcess::NotRunning && !m_unended) {
            m_process.kill();
            m_unended = !m_process.waitForFinished(kEndGraceMs);
        }
        keepOutput();
    }

    // A worker that would not end is left to the system (the guard's job object or the
    // parent-death signal ends it with the program at the latest): destroying its QProcess
    // would wait half a minute more for it.
    static void release(std::unique_ptr<WorkerRun> run)
    {
        if (run->m_unended && run->m_process.state() != QProcess::NotRunning) {
            run->m_process.disconnect();
            (void)run.release();
        }
    }

    bool failedToStart() const { return m_failedToStart; }

    WorkerOutcome outcome() const
    {
        WorkerOutcome outcome;
        outcome.cause = failure();
        outcome.complete = outcome.cause.isEmpty();
        return outcome;
    }

private:
    // Keeps only the first few kilobytes of the worker's error output; hands on its rows.
    void keepOutput()
    {
        const QByteArray errors = m_process.readAllStandardError();
        m_errors.append(errors.left(qMax<qsizetype>(0, m_limits.stderrCap - m_errors.size())));
        const QByteArray rows = m_process.readAllStandardOutput();
        if (rows.isEmpty() || m_refused)
            return;
        if (!m_takeOutput(rows)) {
            m_refused = true;
            if (m_end)
                m_end();
            else
                m_process.kill();
        }
    }

    // Why the run did not deliver the whole file; empty when it did.
    QString failure() const
    {
        const QString refused = refusal(m_errors);
        if (m_cancelled)
            return QStringLiteral("the reading was cancelled");
        if (m_refused)
            return QStringLiteral("its rows could not be taken");
        if (m_unended)
            return QStringLiteral("the turn results reader %1 did not end when told to; it may "
                                  "still be running")
                .arg(m_process.program());
        if (m_unguarded)
            return QStringLiteral("the turn results reader %1 could not be given its limits")
                .arg(m_process.program());
        if (m_failedToStart)
            return QStringLiteral("the turn results reader %1 could not be started")
                .arg(m_process.program());
        if (m_timedOut)
            return QStringLiteral("reading it took too long; the file may be damaged");
        // libmdb reports a page past the end of the file and reads on without it: a file
        // that is not whole pages was cut short; in one that is, a pointer is damaged.
        if (m_errors.contains("beyond EOF"))
            return m_wholePages ? QString::fromLatin1(turnfile::kPointsPastItsEnd) : m_cutShort;
        if (m_process.exitStatus() != QProcess::NormalExit)
            return QStringLiteral("the file is damaged: reading it failed");
        if (m_process.exitCode() == turnfile::kExitUnusableFile && !refused.isEmpty())
            return refused;
        // Any complaint means a part of the file could not be read, even on a clean exit.
        if (m_process.exitCode() != 0 || !m_errors.isEmpty()) {
            const QString detail = firstLine(m_errors);
            return QStringLiteral("the file is damaged: reading it failed") +
                   (detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail));
        }
        return QString();
    }

    bool m_wholePages;
    QString m_cutShort;
    WorkerLimits m_limits;
    const OutputTaker& m_takeOutput;
    QProcess m_process;
    ChildProcessGuard m_guard;
    QByteArray m_errors;
    bool m_refused = false;
    bool m_timedOut = false;
    bool m_failedToStart = false;
    bool m_cancelled = false;
    bool m_unguarded = false;
    bool m_unended = false;
    std::function<void()> m_end; // while running: ends the worker, waiting a little at most
};

} // namespace

WorkerOutcome runTurnFileWorker(const QString& workerPath, const QString& turnFile,
                                const WorkerLimits& limits, const OutputTaker& takeOutput,
                                const CancelCheck& cancelRequested, ReaderInput input)
{
    const int timeLimitMs = timeLimitFor(turnFile, limits);
    const QStringList arguments =
        input == ReaderInput::OldDatabase
            ? QStringList{QString::fromLatin1(turnfile::kOldDatabaseOption), turnFile}
            : QStringList{turnFile};
    // A start the system refused now and then (Wine does, under load) is tried once more after
    // a moment: a reader that never started has handed over nothing.
    constexpr int kStartAttempts = 2;
    constexpr int kRestartPauseMs = 250;
    for (int attempt = 1;; ++attempt) {
        auto run =
            std::make_unique<WorkerRun>(workerPath, arguments, limits, timeLimitMs, takeOutput);
        run->run(timeLimitMs, cancelRequested);
        const bool again = run->failedToStart() && attempt < kStartAttempts &&
                           !(cancelRequested && cancelRequested());
        WorkerOutcome outcome = run->outcome();
        WorkerRun::release(std::move(run));
        if (!again)
            return outcome;
        QEventLoop pause;
        QTimer::singleShot(kRestartPauseMs, &pause, &QEventLoop::quit);
        pause.exec();
    }
}

} // namespace vf
