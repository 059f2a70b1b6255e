#pragma once

#include <QString>

namespace vf {

struct WorkerLimits {
    int timeLimitMs = 0; // 0: a few seconds per MB of the file, at least 10 s
    qint64 addressSpaceBytes = 1LL << 30;
    int stderrCap = 4096; // bytes of the worker's error output kept
};

struct WorkerOutcome {
    bool complete = false;
    QString cause;      // why not, for the player
    qint64 readMs = -1; // the worker's own reading time, when it reports one
};

// Runs the turn results reader worker on a file, writing the staging file, and waits for it
// while the program's events go on being handled (the window stays responsive).
WorkerOutcome runTurnFileWorker(const QString& workerPath, const QString& turnFile,
                                const QString& stagingFile, const WorkerLimits& limits);

} // namespace vf
