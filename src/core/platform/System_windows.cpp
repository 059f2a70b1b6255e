#include "System.h"

#include <windows.h>

namespace vf::platform {

QString defaultDataFolder()
{
    return QStringLiteral("C:/kelvar");
}

QString executableName(const QString& name)
{
    return name + QStringLiteral(".exe");
}

QString installedWorkerFolder()
{
    return QStringLiteral("./");
}

QStringList commandLineArguments(int /*argc*/, char* /*argv*/[])
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    QStringList arguments;
    for (int i = 0; wide && i < count; ++i)
        arguments << QString::fromWCharArray(wide[i]);
    LocalFree(wide);
    return arguments;
}

} // namespace vf::platform
