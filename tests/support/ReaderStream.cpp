#include "ReaderStream.h"

#include "protocol/ReaderProtocol.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace vf::test {

namespace {

void writeRow(reader::FrameWriter& frames, const QStringList& row)
{
    frames.row();
    for (const QString& value : row) {
        if (value.startsWith(QLatin1Char('I')))
            frames.wholeNumber(value.mid(1).toLongLong());
        else if (value.startsWith(QLatin1Char('S')))
            frames.text(value.mid(1).toStdString());
        else
            frames.noValue();
    }
}

} // namespace

QByteArray readerOutput(const QMap<int, QList<QStringList>>& rows, qint64 countedRows,
                        std::span<const reader::Table> tables)
{
    const QString path = QDir::temp().filePath(
        QStringLiteral("vfturn-reader-output-%1").arg(QCoreApplication::applicationPid()));
    std::FILE* out = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!out)
        qFatal("cannot write %s", qPrintable(path));
    {
        reader::FrameWriter frames(out);
        qint64 written = 0;
        for (int table = 0; table < int(tables.size()); ++table) {
            frames.table(table);
            for (const QStringList& row : rows.value(table)) {
                writeRow(frames, row);
                ++written;
            }
        }
        frames.end(countedRows < 0 ? written : countedRows, 1);
    }
    std::fclose(out);
    const QByteArray bytes = TestStore::contentsOf(path);
    QFile::remove(path);
    return bytes;
}

QString readerWriting(TestStore& t, const QByteArray& output)
{
    const QString stream = t.path() + QStringLiteral("/reader-output");
    QFile file(stream);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(stream));
    file.write(output);
    file.close();
    return t.fakeReader(QStringLiteral("cat ") + stream);
}

QByteArray unreadFrame(const QByteArray& name, qint64 rows)
{
    QByteArray frame("US");
    for (int i = 0; i < 4; ++i)
        frame += char((name.size() >> (8 * i)) & 0xff);
    frame += name;
    for (int i = 0; i < 8; ++i)
        frame += char((rows >> (8 * i)) & 0xff);
    return frame;
}

QByteArray beforeItsEnd(const QByteArray& output, const QByteArray& frame)
{
    constexpr qsizetype kEndFrame = 17;
    return output.left(output.size() - kEndFrame) + frame + output.right(kEndFrame);
}

} // namespace vf::test
