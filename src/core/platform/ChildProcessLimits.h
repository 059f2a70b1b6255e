#pragma once

#include <QtGlobal>

class QProcess;

namespace vf {

struct ChildLimits {
    qint64 addressSpaceBytes = 0;
    int cpuSeconds = 0;
};

// Caps the address space and processor time of a child process before it starts (and
// switches off core dumps), so that a runaway child fails instead of exhausting the machine,
// and, on Linux, ends the child when the program ends, however it ends. On platforms without
// these facilities this does nothing; the caller's time limit still applies.
void limitChildProcess(QProcess& process, ChildLimits limits);

} // namespace vf
