#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QList>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace vf::bench {

struct Timing {
    double median = 0;
    double worst = 0;
};

// Runs the action `runs` times (after `prepare`, which is not timed) and returns the
// median and the slowest run in milliseconds.
inline Timing measure(int runs, const std::function<void()>& action,
                      const std::function<void()>& prepare = {})
{
    QList<double> ms;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        action();
        ms << timer.nsecsElapsed() / 1e6;
    }
    std::sort(ms.begin(), ms.end());
    return {ms.at(ms.size() / 2), ms.last()};
}

// Times building and showing a window until it has been painted; the window last built is
// left in `window`.
template <typename Window, typename Build>
Timing measureOpening(int runs, std::unique_ptr<Window>& window, Build build)
{
    return measure(
        runs,
        [&] {
            window = build();
            window->show();
            QApplication::processEvents();
        },
        [&] { window.reset(); });
}

inline void report(const char* what, const Timing& timing, double targetMs)
{
    std::printf("%-62s median %8.2f ms  worst %8.2f ms  (target %s %.0f ms)\n", what, timing.median,
                timing.worst, timing.median < targetMs ? "met: under" : "MISSED: under", targetMs);
}

// A figure without a target of its own, such as a part of a measured action.
inline void print(const char* what, const Timing& timing)
{
    std::printf("%-62s median %8.2f ms  worst %8.2f ms\n", what, timing.median, timing.worst);
}

} // namespace vf::bench
