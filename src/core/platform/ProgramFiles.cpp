#include "ProgramFiles.h"

#include "System.h"

#include <QDir>
#include <QFileInfo>

namespace vf {

QString turnFileWorkerPath(const QString& programFolder)
{
    const QString name = platform::executableName(QStringLiteral("vfturn-turnfile"));
    const QDir folder(programFolder);
    const QString installed =
        QDir::cleanPath(folder.filePath(platform::installedWorkerFolder() + name));
    const QString beside = folder.filePath(name);
    for (const QString& candidate : {installed, beside}) {
        if (QFileInfo(candidate).isExecutable())
            return candidate;
    }
    return installed;
}

} // namespace vf
