#pragma once

#include <QtGlobal>

class QProcess;

namespace vf {

// Caps the address space of a child process before it starts (and switches off core
// dumps), so that a runaway child fails instead of exhausting the machine. On platforms
// without resource limits this does nothing; the caller's time limit still applies.
void limitChildProcess(QProcess& process, qint64 addressSpaceBytes);

} // namespace vf
