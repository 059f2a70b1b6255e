// vfturn-fakereader: stands in for the turn results reader in tests, on every system. What it
// does is read from the environment variable VFTURN_FAKE_READER, one step a line:
//
//   relay            run the real reader (beside this program) on the same arguments and pass
//                    on its output; its exit status becomes this program's
//   relay-head N     the same, passing on only the first N bytes of its standard output
//   cat FILE         write the file's bytes to standard output
//   stderr TEXT      write the text and a line end to standard error
//   sleep SECONDS    wait
//   heartbeat FILE   append a byte to the file every 50 ms, for ever
//   spin             use the processor, for ever
//   allocate MB      take and touch that much memory; exit 0 when it could be had
//   crash            end by an abort
//   exit N           end with that status
//
// The steps run in order; after the last one the program ends with the last status set.

#include "ReaderProcess.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void writeOut(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

int relay(const QStringList& arguments, qint64 keep)
{
    const QString reader =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("vfturn-reader"));
    QProcess process;
    process.start(reader, arguments);
    if (!process.waitForFinished(-1))
        return 127;
    const QByteArray out = process.readAllStandardOutput();
    writeOut(keep < 0 ? out : out.left(keep));
    const QByteArray errors = process.readAllStandardError();
    std::fwrite(errors.constData(), 1, std::size_t(errors.size()), stderr);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : 128;
}

[[noreturn]] void heartbeat(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::Append))
        std::exit(126);
    for (;;) {
        file.write("*");
        file.flush();
        QThread::msleep(50);
    }
}

[[noreturn]] void spin()
{
    volatile unsigned long long counter = 0;
    for (;;)
        counter = counter + 1;
}

int allocate(qint64 megabytes)
{
    std::vector<char*> blocks;
    constexpr std::size_t kBlock = 1024 * 1024;
    for (qint64 i = 0; i < megabytes; ++i) {
        char* block = static_cast<char*>(std::malloc(kBlock));
        if (!block)
            return 1;
        for (std::size_t at = 0; at < kBlock; at += 4096)
            block[at] = 1;
        blocks.push_back(block);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    vf::reader::prepareReaderProcess();
    QCoreApplication app(argc, argv);
    QStringList arguments;
    for (const std::string& argument : vf::reader::readerArguments(argc, argv))
        arguments << QString::fromLocal8Bit(argument.c_str());
    const QStringList steps = qEnvironmentVariable("VFTURN_FAKE_READER").split(QLatin1Char('\n'));
    int status = 0;
    for (const QString& step : steps) {
        const QString verb = step.section(QLatin1Char(' '), 0, 0);
        const QString rest = step.section(QLatin1Char(' '), 1);
        if (verb == QLatin1String("relay")) {
            status = relay(arguments, -1);
        } else if (verb == QLatin1String("relay-head")) {
            status = relay(arguments, rest.toLongLong());
        } else if (verb == QLatin1String("cat")) {
            QFile file(rest);
            if (!file.open(QIODevice::ReadOnly))
                return 126;
            writeOut(file.readAll());
        } else if (verb == QLatin1String("stderr")) {
            std::fprintf(stderr, "%s\n", rest.toUtf8().constData());
        } else if (verb == QLatin1String("sleep")) {
            QThread::sleep(rest.toULong());
        } else if (verb == QLatin1String("heartbeat")) {
            heartbeat(rest);
        } else if (verb == QLatin1String("spin")) {
            spin();
        } else if (verb == QLatin1String("allocate")) {
            status = allocate(rest.toLongLong());
        } else if (verb == QLatin1String("crash")) {
            std::abort();
        } else if (verb == QLatin1String("exit")) {
            return rest.toInt();
        }
    }
    return status;
}
