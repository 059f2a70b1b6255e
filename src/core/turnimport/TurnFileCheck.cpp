#include "TurnFileCheck.h"

#include <QFile>
#include <QFileInfo>

namespace vf {

namespace {

constexpr qint64 kPageSize = 4096;
constexpr int kSignatureOffset = 4;
constexpr int kVersionOffset = 0x14;
const QByteArray kSignature = QByteArrayLiteral("Standard Jet DB");

} // namespace

std::optional<QString> checkTurnFile(const QString& path, const QString& what)
{
    const QFileInfo info(path);
    if (!info.exists() && info.isSymLink())
        return QStringLiteral("it cannot be opened: it is a link that leads to no file (or to "
                              "itself)");
    // A name the system holds in bytes that are no text in its encoding reaches the program
    // with those bytes replaced: the file is there, but not under the name the program has.
    if (!info.exists() && path.contains(QChar::ReplacementCharacter))
        return QStringLiteral("it cannot be opened: its name holds bytes that are no letters on "
                              "this system; rename the file and choose it again");
    if (!info.exists())
        return QStringLiteral("the file is not there");
    if (!info.isFile())
        return QStringLiteral("it is not a file");
    if (info.size() < kPageSize)
        return QStringLiteral("it is too short to be %1").arg(what);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("it cannot be opened (%1)").arg(file.errorString());
    const QByteArray head = file.read(kVersionOffset + 1);
    if (head.size() < kVersionOffset + 1 ||
        head.mid(kSignatureOffset, kSignature.size()) != kSignature)
        return QStringLiteral("it is not %1 (not an Access database)").arg(what);
    const char version = head.at(kVersionOffset);
    if (version != 0 && version != 1)
        return QStringLiteral("it is not %1 (an Access database of a version this program does "
                              "not read)")
            .arg(what);
    return std::nullopt;
}

} // namespace vf
