#include "ChildProcessLimits.h"

#include <QProcess>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace vf {

void limitChildProcess(QProcess& process, qint64 addressSpaceBytes)
{
#ifdef Q_OS_UNIX
    process.setChildProcessModifier([addressSpaceBytes] {
        // Runs in the child between fork and exec: only async-signal-safe calls here.
        const rlimit memory{static_cast<rlim_t>(addressSpaceBytes),
                            static_cast<rlim_t>(addressSpaceBytes)};
        setrlimit(RLIMIT_AS, &memory);
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
    });
#else
    Q_UNUSED(process);
    Q_UNUSED(addressSpaceBytes);
#endif
}

} // namespace vf
