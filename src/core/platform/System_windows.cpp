#include "System.h"

#include <QDir>
#include <QFile>

#include <io.h>
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

QString installedDocumentFolder()
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

bool syncToDisk(QFile& file)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
}

QString replaceFile(const QString& from, const QString& to)
{
    const QString source = QDir::toNativeSeparators(from);
    const QString target = QDir::toNativeSeparators(to);
    if (MoveFileExW(reinterpret_cast<const wchar_t*>(source.utf16()),
                    reinterpret_cast<const wchar_t*>(target.utf16()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return QString();
    return qt_error_string(int(GetLastError()));
}

} // namespace vf::platform
