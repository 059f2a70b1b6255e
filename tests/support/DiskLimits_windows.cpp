#include "DiskLimits.h"

// Windows has no per-process limit of file sizes, and mounting a small disk or a read-only
// folder needs administrator rights: the tests that need them skip there.
#include <windows.h>

namespace vf::test {

bool childLimitsAreEnforced()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return !(ntdll && GetProcAddress(ntdll, "wine_get_version"));
}

FileSizeLimit::FileSizeLimit(qint64 /*bytes*/) {}

FileSizeLimit::~FileSizeLimit() = default;

SmallDisk::SmallDisk(const QString& folder, int /*kilobytes*/)
    : m_folder(folder)
{
}

SmallDisk::~SmallDisk() = default;

void SmallDisk::fill() {}

ReadOnlyFolder::ReadOnlyFolder(const QString& folder)
    : m_folder(folder)
{
}

ReadOnlyFolder::~ReadOnlyFolder() = default;

} // namespace vf::test
