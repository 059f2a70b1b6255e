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

} // namespace

WorkerOutcome runTurnFileWorker(const QString& workerPath, const QString& turnFile,
                                const QString& stagingFile, const WorkerLimits& limits)
{
    QProcess process;
    process.setProgram(workerPath);
    process.setArguments({turnFile, stagingFile});
    process.setProcessEnvironment(workerEnvironment());
    process.setStandardInputFile(QProcess::nullDevice());
    limitChildProcess(process, limits.addressSpaceBytes);

    QByteArray errors;
    QByteArray output;
    QObject::connect(&process, &QProcess::readyReadStandardError, [&] {
        const QByteArray chunk = process.readAllStandardError();
        errors.append(chunk.left(qMax<qsizetype>(0, limits.stderrCap - errors.size())));
    });
    QObject::connect(&process, &QProcess::readyReadStandardOutput,
                     [&] { output.append(process.readAllStandardOutput().left(4096)); });

    QEventLoop loop;
    bool timedOut = false;
    bool failedToStart = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        timedOut = true;
        process.kill();
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failedToStart = true;
            loop.quit();
        }
    });
    timer.start(timeLimitFor(turnFile, limits));
    process.start();
    if (!failedToStart && process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    timer.stop();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
    errors.append(
        process.readAllStandardError().left(qMax<qsizetype>(0, limits.stderrCap - errors.size())));
    output.append(process.readAllStandardOutput().left(4096));

    WorkerOutcome outcome;
    if (failedToStart) {
        outcome.cause =
            QStringLiteral("the turn results reader %1 could not be started").arg(workerPath);
    } else if (timedOut) {
        outcome.cause = QStringLiteral("reading it took too long; the file may be damaged");
    } else if (process.exitStatus() != QProcess::NormalExit) {
        outcome.cause = QStringLiteral("the file is damaged: reading it failed");
    } else if (process.exitCode() == turnfile::kExitUnusableFile &&
               firstLine(errors).startsWith(QLatin1String(turnfile::kUnusablePrefix))) {
        outcome.cause = firstLine(errors).mid(qsizetype(sizeof(turnfile::kUnusablePrefix) - 1));
    } else if (process.exitCode() != 0) {
        const QString detail = firstLine(errors);
        outcome.cause = QStringLiteral("the file is damaged: reading it failed") +
                        (detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(detail));
    } else {
        outcome.complete = true;
        outcome.readMs = reportedReadMs(output);
    }
    return outcome;
}

} // namespace vf
