#pragma once

#include "TurnFileWorker.h"

#include <QString>

namespace vf {

class Store;

struct ImportStatistics {
    qint64 workerMs = 0; // the worker's run, process start included
    qint64 readMs = -1;  // the worker's own reading time
    qint64 copyMs = 0;   // replacing the rows in the turn entry database
};

// Replaces an empire's imported tables from its turn results file. Nothing in the turn entry
// database changes until the reader has delivered every row of the file; then the deletion
// and the copy are one transaction. Any failure throws vf::Error naming the file and the
// cause, and leaves the database as it was.
class TurnImporter {
public:
    TurnImporter(const Store& store, QString workerPath, WorkerLimits limits = {});

    ImportStatistics importFile(int empireId, const QString& turnFile) const;

    // Replaces the empire's rows from a complete staging file written by the reader; the
    // turn results file is named in messages.
    void copyStaging(int empireId, const QString& stagingFile, const QString& turnFile) const;

private:
    void checkStaging(const QString& turnFile) const;

    const Store& m_store;
    QString m_workerPath;
    WorkerLimits m_limits;
};

} // namespace vf
