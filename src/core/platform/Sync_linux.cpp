#include "System.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace vf::platform {

QString syncToDisk(QFile& file)
{
    if (::fsync(file.handle()) == 0)
        return QString();
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace vf::platform
