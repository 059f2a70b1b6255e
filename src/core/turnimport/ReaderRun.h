#pragma once

#include "model/Progress.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace vf {

struct ReaderLimits {
    int timeLimitMs = 0; // 0: a few seconds per MB of the file, at least 30 s
    qint64 addressSpaceBytes = 1LL << 30;
    int stderrCap = 4096; // bytes of the reader's error output kept
};

struct ReaderOutcome {
    bool complete = false;
    QString cause; // why not, for the player
};

// What the reader reads: a turn results file, or the old program's database.
enum class ReaderInput { TurnResults, OldDatabase };

// Takes the reader's output as it comes; false ends the reader at once.
using OutputTaker = std::function<bool(const QByteArray&)>;

// Runs the turn results reader on a file and waits for it on the calling thread (a window
// runs this on another thread); its output goes to takeOutput as it comes. The stop flag is
// looked at a few times a second and ends the reader at once. Only a clean run with nothing
// on its error output is complete; a run the taker or the stop flag ended is not.
ReaderOutcome runReader(const QString& readerPath, const QString& turnFile,
                        const ReaderLimits& limits, const OutputTaker& takeOutput,
                        const Progress& progress = {},
                        ReaderInput input = ReaderInput::TurnResults);

} // namespace vf
