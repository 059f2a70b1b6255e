#include "WholeFile.h"

#include "Error.h"
#include "System.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStorageInfo>

namespace vf {

namespace {

// A disk with less room than this left is full for all a player needs to know.
constexpr qint64 kNearlyFull = 64 * 1024;

// The new file is named so that no player takes it for the file it will replace (a player
// uploads what the folder shows): hidden where the system hides dot files, and named the same
// whatever it replaces.
const QLatin1String kUnfinishedPrefix(".vfturn-unfinished-");
const QLatin1String kUnfinishedSuffix(".tmp");

QString newFileBeside(const QString& target)
{
    const quint32 tag = QRandomGenerator::global()->generate();
    return QFileInfo(target).dir().filePath(kUnfinishedPrefix +
                                            QStringLiteral("%1").arg(tag, 8, 16, QLatin1Char('0')) +
                                            kUnfinishedSuffix);
}

// The names of unfinished files, this program's and those of its earlier versions
// ("<target>.<8 hex digits>.new").
bool isUnfinishedName(const QString& name)
{
    static const QRegularExpression names(
        QStringLiteral("^(\\.vfturn-unfinished-[0-9a-f]{8}\\.tmp|.+\\.[0-9a-f]{8}\\.new)$"));
    return names.match(name).hasMatch();
}

} // namespace

WholeFileWriter::WholeFileWriter(QString target)
    : m_target(std::move(target))
{
    constexpr int kAttempts = 8;
    for (int attempt = 0; attempt < kAttempts && !m_file.isOpen(); ++attempt) {
        m_file.setFileName(newFileBeside(m_target));
        m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered);
    }
    if (!m_file.isOpen())
        fail(causeOfFailure());
}

WholeFileWriter::~WholeFileWriter()
{
    if (m_done)
        return;
    m_file.close();
    m_file.remove();
}

void WholeFileWriter::write(const QByteArray& bytes)
{
    // A write that stops short is tried again for the rest: the second attempt fails outright
    // and says why.
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 written = m_file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            fail(causeOfFailure());
        done += written;
    }
    m_written += done;
}

void WholeFileWriter::commit()
{
    if (!m_file.flush())
        fail(causeOfFailure());
    if (const QString refused = platform::syncToDisk(m_file); !refused.isEmpty())
        fail(causeOfFailure(refused));
    m_file.close();
    if (m_file.error() != QFileDevice::NoError)
        fail(causeOfFailure());
    QFileInfo written(m_file.fileName());
    written.setCaching(false);
    if (written.size() != m_written)
        fail(QStringLiteral("only %1 of its %2 bytes reached the disk")
                 .arg(written.size())
                 .arg(m_written));
    const QString refused = platform::replaceFile(m_file.fileName(), m_target);
    if (!refused.isEmpty())
        fail(refused);
    m_done = true;
}

bool diskIsFull(const QString& folder)
{
    const QStorageInfo disk(folder);
    return disk.isValid() && disk.bytesAvailable() >= 0 && disk.bytesAvailable() < kNearlyFull;
}

QString WholeFileWriter::causeOfFailure(const QString& systemSaid) const
{
    if (diskIsFull(QFileInfo(m_target).absolutePath()))
        return QStringLiteral("the disk is full");
    const QString why = systemSaid.isEmpty() ? m_file.errorString() : systemSaid;
    return why.isEmpty() ? QStringLiteral("the system refused it") : why;
}

void WholeFileWriter::fail(const QString& cause)
{
    throw Error(cause);
}

int removeUnfinishedFiles(const QStringList& folders)
{
    int removed = 0;
    for (const QString& folder : folders) {
        const QFileInfoList files = QDir(folder).entryInfoList(
            QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
        for (const QFileInfo& file : files) {
            if (isUnfinishedName(file.fileName()) && QFile::remove(file.filePath()))
                ++removed;
        }
    }
    return removed;
}

void writeFileWhole(const QString& target, const QByteArray& bytes)
{
    WholeFileWriter file(target);
    file.write(bytes);
    file.commit();
}

void copyFileWhole(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("%1 cannot be read (%2)")
                        .arg(QDir::toNativeSeparators(source), in.errorString()));
    WholeFileWriter out(target);
    constexpr qint64 kChunk = 1 << 20;
    qint64 copied = 0;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(kChunk);
        if (chunk.isEmpty())
            throw Error(QStringLiteral("%1 cannot be read (%2)")
                            .arg(QDir::toNativeSeparators(source), in.errorString()));
        out.write(chunk);
        copied += chunk.size();
    }
    if (copied != in.size())
        throw Error(
            QStringLiteral("%1 changed while it was copied").arg(QDir::toNativeSeparators(source)));
    out.commit();
}

QString withExtension(const QString& chosen, const QString& extension)
{
    const QString ending = QLatin1Char('.') + extension;
    return chosen.endsWith(ending, Qt::CaseInsensitive) ? chosen : chosen + ending;
}

} // namespace vf
