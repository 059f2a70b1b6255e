#include "System.h"

#include <QFile>

#include <io.h>
#include <windows.h>

namespace vf::platform {

QString syncToDisk(QFile& file)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    if (handle == INVALID_HANDLE_VALUE)
        return qt_error_string(ERROR_INVALID_HANDLE);
    if (FlushFileBuffers(handle))
        return QString();
    return qt_error_string(int(GetLastError()));
}

} // namespace vf::platform
