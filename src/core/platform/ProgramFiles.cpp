#include "ProgramFiles.h"

#include "System.h"

#include <QDir>
#include <QFileInfo>

namespace vf {

QString readerPathIn(const QString& programFolder)
{
    const QString name = platform::executableName(QStringLiteral("vfturn-reader"));
    const QDir folder(programFolder);
    const QString installed =
        QDir::cleanPath(folder.filePath(platform::installedReaderFolder() + name));
    const QString beside = folder.filePath(name);
    for (const QString& candidate : {installed, beside}) {
        if (QFileInfo(candidate).isExecutable())
            return candidate;
    }
    return installed;
}

QString userGuidePath(const QString& programFolder)
{
    const QDir folder(programFolder);
    const QStringList candidates{
        QDir::cleanPath(
            folder.filePath(platform::installedDocumentFolder() + QStringLiteral("README.md"))),
        folder.filePath(QStringLiteral("README.md")),
        QDir::cleanPath(folder.filePath(QStringLiteral("../../README.md"))), // a build folder
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return candidates.first();
}

} // namespace vf
