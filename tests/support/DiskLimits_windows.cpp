#include "DiskLimits.h"

// Windows has no per-process limit of file sizes, and mounting a small disk or a read-only
// folder needs administrator rights: the tests that need them skip there.
#include <QDir>

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

HeldOpen::HeldOpen(const QString& file)
{
    const QString native = QDir::toNativeSeparators(file);
    HANDLE handle =
        CreateFileW(reinterpret_cast<const wchar_t*>(native.utf16()), GENERIC_READ, FILE_SHARE_READ,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    m_handle = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

HeldOpen::~HeldOpen()
{
    release();
}

void HeldOpen::release()
{
    if (m_handle)
        CloseHandle(m_handle);
    m_handle = nullptr;
}

} // namespace vf::test
