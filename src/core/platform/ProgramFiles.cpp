#include "ProgramFiles.h"

#include <QDir>
#include <QFileInfo>

namespace vf {

QString turnFileWorkerPath(const QString& programFolder)
{
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("vfturn-turnfile.exe");
#else
    const QString name = QStringLiteral("vfturn-turnfile");
#endif
    const QDir folder(programFolder);
    const QString installed =
        QDir::cleanPath(folder.filePath(QStringLiteral("../libexec/vfturn/") + name));
    const QString beside = folder.filePath(name);
    for (const QString& candidate : {installed, beside}) {
        if (QFileInfo(candidate).isExecutable())
            return candidate;
    }
    return installed;
}

} // namespace vf
