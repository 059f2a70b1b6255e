#include "ReaderRun.h"

#include "platform/ChildProcessGuard.h"
#include "protocol/ReaderProtocol.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <algorithm>
#include <memory>

namespace vf {

namespace {

int timeLimitFor(const QString& turnFile, const ReaderLimits& limits)
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

QProcessEnvironment readerEnvironment()
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

// The reader's own word on why the file cannot be imported, when it gave one.
QString refusal(const QByteArray& errors)
{
    const QLatin1String prefix(reader::kUnusablePrefix);
    const QStringList lines = QString::fromUtf8(errors).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed();
    }
    return QString();
}

constexpr int kMsPerSecond = 1000;
constexpr int kEndGraceMs = 5000;
constexpr int kStartMs = 30000;
constexpr int kPollMs = 50; // how often the stop flag and the time limit are looked at
constexpr qint64 kPageSize = 4096;

// One run of the reader process: started with its limits, waited for on this thread, and
// read out.
class ReaderRun {
public:
    ReaderRun(const QString& readerPath, const QStringList& arguments, const ReaderLimits& limits,
              int timeLimitMs, const OutputTaker& takeOutput)
        : m_wholePages(QFileInfo(arguments.last()).size() % kPageSize == 0)
        // The old program's database was never downloaded.
        , m_cutShort(
              QString::fromLatin1(arguments.first() == QLatin1String(reader::kOldDatabaseOption)
                                      ? reader::kOldDatabaseCutShort
                                      : reader::kCutShort))
        , m_limits(limits)
        , m_takeOutput(takeOutput)
        , m_process(std::make_unique<QProcess>())
        // The processor time allowed is the wall-clock limit, so a reader that somehow
        // outlives its timer still ends.
        , m_guard(*m_process, {limits.addressSpaceBytes, timeLimitMs / kMsPerSecond + 1})
    {
        m_process->setProgram(readerPath);
        m_process->setArguments(arguments);
        m_process->setProcessEnvironment(readerEnvironment());
        m_process->setStandardInputFile(QProcess::nullDevice());
    }

    // A reader that would not end is left to the system (the guard's job object or the
    // parent-death signal ends it with the program at the latest): destroying its QProcess
    // would wait half a minute more for it.
    ~ReaderRun()
    {
        if (m_unended && m_process->state() != QProcess::NotRunning)
            (void)m_process.release();
    }
    ReaderRun(const ReaderRun&) = delete;
    ReaderRun& operator=(const ReaderRun&) = delete;

    void run(int timeLimitMs, const Progress& progress)
    {
        const QDeadlineTimer deadline(timeLimitMs);
        m_process->start();
        if (!m_process->waitForStarted(kStartMs)) {
            m_failedToStart = m_process->error() == QProcess::FailedToStart;
            m_timedOut = !m_failedToStart;
            end();
            return;
        }
        if (!m_guard.started()) {
            m_unguarded = true;
            end();
            return;
        }
        while (m_process->state() != QProcess::NotRunning) {
            if (progress.stopRequested()) {
                m_cancelled = true;
                break;
            }
            if (deadline.hasExpired()) {
                m_timedOut = true;
                break;
            }
            // (Once the reader has closed its output, waiting for more returns at once: the
            // wait is then for its end.)
            if (!m_process->waitForReadyRead(kPollMs) && m_process->state() != QProcess::NotRunning)
                m_process->waitForFinished(kPollMs);
            keepOutput();
            if (m_refused)
                break;
        }
        end();
    }

    bool failedToStart() const { return m_failedToStart; }

    ReaderOutcome outcome() const
    {
        ReaderOutcome outcome;
        outcome.cause = failure();
        outcome.complete = outcome.cause.isEmpty();
        return outcome;
    }

private:
    // Ends the reader, when it still runs, waiting a few seconds at most: a process the system
    // cannot end (one stuck while starting, seen under Wine) must not hold the program. What it
    // wrote before it ended is taken.
    void end()
    {
        if (m_process->state() != QProcess::NotRunning) {
            m_process->kill();
            m_unended = !m_process->waitForFinished(kEndGraceMs);
        }
        keepOutput();
    }

    // Keeps only the first few kilobytes of the reader's error output; hands on its rows.
    void keepOutput()
    {
        const QByteArray errors = m_process->readAllStandardError();
        m_errors.append(errors.left(qMax<qsizetype>(0, m_limits.stderrCap - m_errors.size())));
        const QByteArray rows = m_process->readAllStandardOutput();
        if (rows.isEmpty() || m_refused)
            return;
        if (!m_takeOutput(rows))
            m_refused = true;
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
                .arg(m_process->program());
        if (m_unguarded)
            return QStringLiteral("the turn results reader %1 could not be given its limits")
                .arg(m_process->program());
        if (m_failedToStart)
            return QStringLiteral("the turn results reader %1 could not be started")
                .arg(m_process->program());
        if (m_timedOut)
            return QStringLiteral("reading it took too long; the file may be damaged");
        // libmdb reports a page past the end of the file and reads on without it: a file
        // that is not whole pages was cut short; in one that is, a pointer is damaged.
        if (m_errors.contains("beyond EOF"))
            return m_wholePages ? QString::fromLatin1(reader::kPointsPastItsEnd) : m_cutShort;
        if (m_process->exitStatus() != QProcess::NormalExit)
            return QStringLiteral("the file is damaged: reading it failed");
        if (m_process->exitCode() == reader::kExitUnusableFile && !refused.isEmpty())
            return refused;
        // Any complaint means a part of the file could not be read, even on a clean exit.
        if (m_process->exitCode() != 0 || !m_errors.isEmpty()) {
            const QString detail = firstLine(m_errors);
            return QStringLiteral("the file is damaged: reading it failed") +
                   (detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail));
        }
        return QString();
    }

    bool m_wholePages;
    QString m_cutShort;
    ReaderLimits m_limits;
    const OutputTaker& m_takeOutput;
    std::unique_ptr<QProcess> m_process;
    ChildProcessGuard m_guard;
    QByteArray m_errors;
    bool m_refused = false;
    bool m_timedOut = false;
    bool m_failedToStart = false;
    bool m_cancelled = false;
    bool m_unguarded = false;
    bool m_unended = false;
};

} // namespace

ReaderOutcome runReader(const QString& readerPath, const QString& turnFile,
                        const ReaderLimits& limits, const OutputTaker& takeOutput,
                        const Progress& progress, ReaderInput input)
{
    const int timeLimitMs = timeLimitFor(turnFile, limits);
    const QStringList arguments =
        input == ReaderInput::OldDatabase
            ? QStringList{QString::fromLatin1(reader::kOldDatabaseOption), turnFile}
            : QStringList{turnFile};
    // A start the system refused now and then (Wine does, under load) is tried once more after
    // a moment: a reader that never started has handed over nothing.
    constexpr int kStartAttempts = 2;
    constexpr int kRestartPauseMs = 250;
    for (int attempt = 1;; ++attempt) {
        ReaderRun run(readerPath, arguments, limits, timeLimitMs, takeOutput);
        run.run(timeLimitMs, progress);
        if (!run.failedToStart() || attempt >= kStartAttempts || progress.stopRequested())
            return run.outcome();
        QThread::msleep(kRestartPauseMs);
    }
}

} // namespace vf
