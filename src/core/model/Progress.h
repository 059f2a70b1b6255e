#pragma once

#include <QtGlobal>

#include <atomic>
#include <functional>

namespace vf {

// What a long piece of work is handed: where it tells how far it is, and a flag it looks at
// between its steps, to stop when the player no longer wants it. Either may be missing. The
// work runs no event loop of its own: a window that waits for it runs it on another thread.
struct Progress {
    std::function<void(qint64 done, qint64 total)> report;
    const std::atomic_bool* stop = nullptr;

    bool stopRequested() const { return stop && stop->load(std::memory_order_relaxed); }
    void tell(qint64 done, qint64 total) const
    {
        if (report)
            report(done, total);
    }
};

} // namespace vf
