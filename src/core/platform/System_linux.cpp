#include "System.h"

#include <QDir>

namespace vf::platform {

QString defaultDataFolder()
{
    return QDir::home().filePath(QStringLiteral("kelvar"));
}

QString executableName(const QString& name)
{
    return name;
}

QString installedWorkerFolder()
{
    return QStringLiteral("../libexec/vfturn/");
}

QStringList commandLineArguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace vf::platform
