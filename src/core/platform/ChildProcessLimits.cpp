#include "ChildProcessLimits.h"

#include <QProcess>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

namespace vf {

void limitChildProcess(QProcess& process, ChildLimits limits)
{
#ifdef Q_OS_UNIX
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
#ifdef Q_OS_LINUX
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The program may have ended before the line above took effect.
        if (getppid() != parent)
            _exit(1);
#endif
        Q_UNUSED(parent);
    });
#else
    Q_UNUSED(process);
    Q_UNUSED(limits);
#endif
}

} // namespace vf
