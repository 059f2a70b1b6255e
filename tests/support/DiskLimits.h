#pragma once

#include <QString>
#include <QtGlobal>

namespace vf::test {

// Whether the system enforces the memory and processor-time limits of a child process. Wine
// accepts a job object's limits but does not enforce them (it does end the job's processes
// when the job is closed).
bool childLimitsAreEnforced();

// Makes this process's writes fail as a full disk makes them fail, for as long as it lives:
// no file may grow past the size given (not even the superuser's). Where the system has no
// such limit, active() is false and the test skips.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return m_active; }

private:
    bool m_active = false;
    qint64 m_old = 0;
};

// A real small disk mounted on an empty folder (and unmounted at the end), filled to the last
// byte by fill(). Needs the right to mount; mounted() tells whether it could be had.
class SmallDisk {
public:
    SmallDisk(const QString& folder, int kilobytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return m_mounted; }
    void fill();

private:
    QString m_folder;
    bool m_mounted = false;
};

// The folder made read-only for as long as this lives (a read-only mount of it onto itself,
// which binds the superuser too). Needs the right to mount; active() tells.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool active() const { return m_active; }

private:
    QString m_folder;
    bool m_active = false;
};

// The file held open the way another program on Windows holds it (an editor, a virus
// scanner): it may be read, but not deleted or replaced, until release() or the end. Other
// systems let a file that is open be replaced: active() is false there.
class HeldOpen {
public:
    explicit HeldOpen(const QString& file);
    ~HeldOpen();
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool active() const { return m_handle != nullptr; }
    void release();

private:
    void* m_handle = nullptr;
};

} // namespace vf::test
