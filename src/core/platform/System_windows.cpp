#include "System.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

QString installedReaderFolder()
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

// A file another program holds open (an editor, a virus scanner, the upload page's file
// chooser) cannot be replaced until it lets go: tried again for about two seconds.
QString replaceFile(const QString& from, const QString& to)
{
    const QString source = QDir::toNativeSeparators(from);
    const QString target = QDir::toNativeSeparators(to);
    constexpr int kAttempts = 20;
    constexpr DWORD kPauseMs = 100;
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (attempt > 0)
            Sleep(kPauseMs);
        if (MoveFileExW(reinterpret_cast<const wchar_t*>(source.utf16()),
                        reinterpret_cast<const wchar_t*>(target.utf16()),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return QString();
        error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED &&
            error != ERROR_LOCK_VIOLATION)
            break;
    }
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
        (error == ERROR_ACCESS_DENIED && QFileInfo(to).isWritable()))
        return QStringLiteral("another program is holding %1 open; close it there, then try "
                              "again")
            .arg(target);
    return qt_error_string(int(error));
}

} // namespace vf::platform
