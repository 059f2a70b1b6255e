#include "TurnFileWorker.h"

#include "StagingFormat.h"
#include "platform/ChildProcessLimits.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>

#include <algorithm>

namespace vf {

namespace {

int timeLimitFor(const QString& turnFile, const WorkerLimits& limits)
{
    if (limits.timeLimitMs > 0)
        return limits.timeLimitMs;
    constexpr qint64 msPerMb = 3000;
    const qint64 scaled = QFileInfo(turnFile).size() * msPerMb / (1024 * 1024);
    return static_cast<int>(std::clamp<qint64>(scaled, 10000, 600000));
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

qint64 reportedReadMs(const QByteArray& out)
{
    const QList<QByteArray> words = out.simplified().split(' ');
    const qsizetype at = words.indexOf(QByteArrayLiteral("read-ms"));
    return at >= 0 && at + 1 < words.size() ? words[at + 1].toLongLong() : -1;
}

// One run of the worker process: started with its limits, waited for while events go on,
// and read out.
class WorkerRun {
public:
    WorkerRun(const QString& workerPath, const QString& turnFile, const QString& stagingFile,
              const WorkerLimits& limits)
        : m_limits(limits)
    {
        m_process.setProgram(workerPath);
        m_process.setArguments({turnFile, stagingFile});
        m_process.setProcessEnvironment(workerEnvironment());
        m_process.setStandardInputFile(QProcess::nullDevice());
        limitChildProcess(m_process, limits.addressSpaceBytes);
        QObject::connect(&m_process, &QProcess::readyReadStandardError, [this] { keepOutput(); });
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] { keepOutput(); });
    }

    void run(int timeLimitMs)
    {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            m_timedOut = true;
            m_process.kill();
        });
        QObject::connect(&m_process, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&m_process, &QProcess::errorOccurred, [&](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) {
                m_failedToStart = true;
                loop.quit();
            }
        });
        timer.start(timeLimitMs);
        m_process.start();
        // Repaints go on while the worker reads; the player's input waits.
        if (!m_failedToStart && m_process.state() != QProcess::NotRunning)
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        timer.stop();
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
        keepOutput();
    }

    WorkerOutcome outcome() const
    {
        WorkerOutcome outcome;
        const QString detail = firstLine(m_errors);
        const QLatin1String unusable(turnfile::kUnusablePrefix);
        if (m_failedToStart) {
            outcome.cause = QStringLiteral("the turn results reader %1 could not be started")
                                .arg(m_process.program());
        } else if (m_timedOut) {
            outcome.cause = QStringLiteral("reading it took too long; the file may be damaged");
        } else if (m_process.exitStatus() != QProcess::NormalExit) {
            outcome.cause = QStringLiteral("the file is damaged: reading it failed");
        } else if (m_process.exitCode() == turnfile::kExitUnusableFile &&
                   detail.startsWith(unusable)) {
            outcome.cause = detail.mid(unusable.size());
        } else if (m_process.exitCode() != 0) {
            outcome.cause = QStringLiteral("the file is damaged: reading it failed") +
                            (detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail));
        } else {
            outcome.complete = true;
            outcome.readMs = reportedReadMs(m_output);
        }
        return outcome;
    }

private:
    // Keeps only the first few kilobytes of what the worker writes.
    void keepOutput()
    {
        const auto capped = [](QByteArray& kept, const QByteArray& chunk, int cap) {
            kept.append(chunk.left(qMax<qsizetype>(0, cap - kept.size())));
        };
        capped(m_errors, m_process.readAllStandardError(), m_limits.stderrCap);
        capped(m_output, m_process.readAllStandardOutput(), m_limits.stderrCap);
    }

    WorkerLimits m_limits;
    QProcess m_process;
    QByteArray m_errors;
    QByteArray m_output;
    bool m_timedOut = false;
    bool m_failedToStart = false;
};

} // namespace

WorkerOutcome runTurnFileWorker(const QString& workerPath, const QString& turnFile,
                                const QString& stagingFile, const WorkerLimits& limits)
{
    WorkerRun run(workerPath, turnFile, stagingFile, limits);
    run.run(timeLimitFor(turnFile, limits));
    return run.outcome();
}

} // namespace vf
