#pragma once

#include <QtGlobal>

#include <memory>

class QProcess;

namespace vf {

struct ChildLimits {
    qint64 addressSpaceBytes = 0;
    int cpuSeconds = 0;
};

// Keeps a child process (the turn results reader) within limits: its memory and processor
// time are capped, so that a runaway child fails instead of exhausting the machine, and it
// ends when the program ends, however the program ends. Linux uses resource limits and the
// parent-death signal, Windows a job object. Made before the process starts; started() is
// called once it has; the guard lives as long as the process.
class ChildProcessGuard {
public:
    ChildProcessGuard(QProcess& process, ChildLimits limits);
    ~ChildProcessGuard();
    ChildProcessGuard(const ChildProcessGuard&) = delete;
    ChildProcessGuard& operator=(const ChildProcessGuard&) = delete;

    // False when the limits could not be applied; the process is then ended.
    bool started();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace vf
