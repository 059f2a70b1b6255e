#include "ChildProcessGuard.h"

#include <QProcess>

#include <windows.h>

namespace vf {

// The child starts suspended, is put into a job object that carries the limits and ends
// every process in it when its last handle closes (the program ending or being killed
// closes it), and only then runs.
struct ChildProcessGuard::Impl {
    QProcess& process;
    HANDLE job = nullptr;
    PROCESS_INFORMATION* child = nullptr;

    explicit Impl(QProcess& p)
        : process(p)
    {
    }
};

namespace {

HANDLE makeJob(ChildLimits limits)
{
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (!job)
        return nullptr;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION info{};
    auto& basic = info.BasicLimitInformation;
    basic.LimitFlags =
        JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    if (limits.addressSpaceBytes > 0) {
        basic.LimitFlags |= JOB_OBJECT_LIMIT_PROCESS_MEMORY;
        info.ProcessMemoryLimit = static_cast<SIZE_T>(limits.addressSpaceBytes);
    }
    if (limits.cpuSeconds > 0) {
        basic.LimitFlags |= JOB_OBJECT_LIMIT_PROCESS_TIME;
        constexpr LONGLONG kTicksPerSecond = 10'000'000; // units of 100 ns
        basic.PerProcessUserTimeLimit.QuadPart = limits.cpuSeconds * kTicksPerSecond;
    }
    if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &info, sizeof info)) {
        CloseHandle(job);
        return nullptr;
    }
    return job;
}

} // namespace

ChildProcessGuard::ChildProcessGuard(QProcess& process, ChildLimits limits)
    : m_impl(std::make_unique<Impl>(process))
{
    m_impl->job = makeJob(limits);
    Impl* impl = m_impl.get();
    process.setCreateProcessArgumentsModifier([impl](QProcess::CreateProcessArguments* args) {
        args->flags |= CREATE_SUSPENDED;
        // Filled in by CreateProcess; QProcess keeps it while the process runs.
        impl->child = args->processInformation;
    });
}

ChildProcessGuard::~ChildProcessGuard()
{
    if (m_impl->job)
        CloseHandle(m_impl->job);
}

bool ChildProcessGuard::started()
{
    PROCESS_INFORMATION* child = m_impl->child;
    if (!child || !child->hProcess)
        return false;
    const bool guarded = m_impl->job && AssignProcessToJobObject(m_impl->job, child->hProcess);
    if (!guarded) {
        m_impl->process.kill();
        return false;
    }
    // A child left suspended would never end by itself: one that cannot be resumed is ended.
    if (ResumeThread(child->hThread) == static_cast<DWORD>(-1)) {
        m_impl->process.kill();
        return false;
    }
    return true;
}

} // namespace vf
