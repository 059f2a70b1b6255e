#include "ChildProcessGuard.h"

#include <QProcess>

#include <csignal>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace vf {

struct ChildProcessGuard::Impl {};

ChildProcessGuard::ChildProcessGuard(QProcess& process, ChildLimits limits)
{
    const pid_t parent = getpid();
    process.setChildProcessModifier([limits, parent] {
        // Runs in the child between fork and exec: only async-signal-safe calls here.
        const rlimit memory{static_cast<rlim_t>(limits.addressSpaceBytes),
                            static_cast<rlim_t>(limits.addressSpaceBytes)};
        setrlimit(RLIMIT_AS, &memory);
        if (limits.cpuSeconds > 0) {
            // SIGXCPU at the limit, SIGKILL a second later.
            const rlimit cpu{static_cast<rlim_t>(limits.cpuSeconds),
                             static_cast<rlim_t>(limits.cpuSeconds + 1)};
            setrlimit(RLIMIT_CPU, &cpu);
        }
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The program may have ended before the line above took effect.
        if (getppid() != parent)
            _exit(1);
    });
}

ChildProcessGuard::~ChildProcessGuard() = default;

bool ChildProcessGuard::started()
{
    return true;
}

} // namespace vf
