#include "System.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vf::platform {

QString defaultDataFolder()
{
    return QDir::home().filePath(QStringLiteral("kelvar"));
}

QString executableName(const QString& name)
{
    return name;
}

QString installedReaderFolder()
{
    return QStringLiteral("../libexec/vfturn/");
}

QString installedDocumentFolder()
{
    return QStringLiteral("../share/doc/vfturn/");
}

QStringList commandLineArguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

QString replaceFile(const QString& from, const QString& to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return QString();
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace vf::platform
