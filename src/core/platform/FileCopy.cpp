#include "FileCopy.h"

#include "Error.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace vf {

void copyFileWhole(const QString& source, const QString& target)
{
    const auto fail = [&](const QString& why) {
        return Error(
            QStringLiteral("%1 could not be copied to %2: %3.")
                .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(target), why));
    };
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw fail(in.errorString());
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        throw fail(out.errorString());
    constexpr qint64 kChunk = 1 << 20;
    qint64 copied = 0;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(kChunk);
        if (chunk.isEmpty() || out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            throw fail(chunk.isEmpty() ? in.errorString() : out.errorString());
        }
        copied += chunk.size();
    }
    if (copied != in.size()) {
        out.cancelWriting();
        throw fail(QStringLiteral("it changed while it was copied"));
    }
    if (!out.commit())
        throw fail(out.errorString());
}

} // namespace vf
