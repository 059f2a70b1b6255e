#pragma once

#include <QString>

#include <functional>

namespace vf {

struct WorkerLimits {
    int timeLimitMs = 0; // 0: a few seconds per MB of the file, at least 10 s
    qint64 addressSpaceBytes = 1LL << 30;
    int stderrCap = 4096; // bytes of the worker's error output kept
};

struct WorkerOutcome {
    bool complete = false;
    bool cancelled = false; // the player stopped the reading
    QString cause;          // why not, for the player
    qint64 readMs = -1;     // the worker's own reading time, when it reports one
};

// Asked a few times a second while the worker runs; true ends the worker at once.
using CancelCheck = std::function<bool()>;

// Runs the turn results reader worker on a file, writing the staging file, and waits for it
// while the program's events go on being handled (the window keeps painting and a progress
// dialog's Cancel works). Only a clean run with nothing on its error output is complete.
WorkerOutcome runTurnFileWorker(const QString& workerPath, const QString& turnFile,
                                const QString& stagingFile, const WorkerLimits& limits,
                                const CancelCheck& cancelRequested = {});

} // namespace vf
