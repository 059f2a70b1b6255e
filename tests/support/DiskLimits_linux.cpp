#include "DiskLimits.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

namespace vf::test {

bool childLimitsAreEnforced()
{
    return true;
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    m_old = static_cast<qint64>(old.rlim_cur);
    std::signal(SIGXFSZ, SIG_IGN); // a failed write, not the end of the test
    const rlimit limit{static_cast<rlim_t>(bytes), old.rlim_max};
    m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    old.rlim_cur = static_cast<rlim_t>(m_old);
    setrlimit(RLIMIT_FSIZE, &old);
}

SmallDisk::SmallDisk(const QString& folder, int kilobytes)
    : m_folder(folder)
{
    QDir().mkpath(folder);
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    m_mounted = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0,
                        options.constData()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

void SmallDisk::fill()
{
    QFile filler(QDir(m_folder).filePath(QStringLiteral(".filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    while (filler.write("f", 1) == 1) {
    }
}

ReadOnlyFolder::ReadOnlyFolder(const QString& folder)
    : m_folder(folder)
{
    const QByteArray path = QFile::encodeName(folder);
    if (::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) != 0)
        return;
    m_active =
        ::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    if (!m_active)
        ::umount2(path.constData(), MNT_DETACH);
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_active)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

HeldOpen::HeldOpen(const QString& /*file*/) {}

HeldOpen::~HeldOpen() = default;

void HeldOpen::release() {}

} // namespace vf::test
