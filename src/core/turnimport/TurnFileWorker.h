#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace vf {

struct WorkerLimits {
    int timeLimitMs = 0; // 0: a few seconds per MB of the file, at least 30 s
    qint64 addressSpaceBytes = 1LL << 30;
    int stderrCap = 4096; // bytes of the worker's error output kept
};

struct WorkerOutcome {
    bool complete = false;
    QString cause; // why not, for the player
};

// What the worker reads: a turn results file, or the old program's database.
enum class ReaderInput { TurnResults, OldDatabase };

// Asked a few times a second while the worker runs; true ends the worker at once.
using CancelCheck = std::function<bool()>;
// Takes the worker's output as it comes; false ends the worker at once.
using OutputTaker = std::function<bool(const QByteArray&)>;

// Runs the turn results reader worker on a file and waits for it while the program's events
// go on being handled (the window keeps painting and a progress dialog's Cancel works); its
// output goes to takeOutput as it comes. Only a clean run with nothing on its error output is
// complete; a run the taker ended is not.
WorkerOutcome runTurnFileWorker(const QString& workerPath, const QString& turnFile,
                                const WorkerLimits& limits, const OutputTaker& takeOutput,
                                const CancelCheck& cancelRequested = {},
                                ReaderInput input = ReaderInput::TurnResults);

} // namespace vf
