#include "ReaderProcess.h"

#include <clocale>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <windows.h>

namespace vf::reader {

namespace {

// The name in the code page the C runtime opens files with, or nothing when a letter of it
// has no place there.
std::string inCodePage(const std::wstring& name)
{
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, nullptr, 0,
                                         nullptr, &lost);
    if (size <= 0 || lost)
        return std::string();
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, narrow.data(), size,
                        nullptr, nullptr);
    narrow.resize(static_cast<std::size_t>(size) - 1);
    return narrow;
}

// A file name libmdb can open: as it is when the code page holds it, else its short
// (8.3) name, which Windows keeps in plain letters.
std::string openableName(const std::wstring& name)
{
    std::string narrow = inCodePage(name);
    if (!narrow.empty() || name.empty())
        return narrow;
    const DWORD size = GetShortPathNameW(name.c_str(), nullptr, 0);
    if (size == 0)
        return std::string();
    std::wstring shortName(size, L'\0');
    const DWORD written = GetShortPathNameW(name.c_str(), shortName.data(), size);
    shortName.resize(written);
    return inCodePage(shortName);
}

} // namespace

void prepareReaderProcess()
{
    std::setlocale(LC_ALL, "C");
    _putenv_s("MDBICONV", "UTF-8");
    _putenv_s("MDBOPTS", "");
    _putenv_s("MDBPATH", "");
    _putenv_s("MDB_JET3_CHARSET", "");
    _setmode(_fileno(stdout), _O_BINARY);
    // A crash ends the reader quietly instead of waiting on an error dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
}

std::FILE* takeRowsChannel()
{
    std::fflush(stdout);
    const int rows = _dup(_fileno(stdout));
    if (rows < 0 || _dup2(_fileno(stderr), _fileno(stdout)) < 0)
        return nullptr;
    _setmode(rows, _O_BINARY);
    return _fdopen(rows, "wb");
}

std::vector<std::string> readerArguments(int /*argc*/, char** /*argv*/)
{
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i)
        arguments.push_back(openableName(wide[i]));
    LocalFree(wide);
    return arguments;
}

} // namespace vf::reader
