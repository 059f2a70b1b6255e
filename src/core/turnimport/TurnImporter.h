#pragma once

#include "TurnFileWorker.h"

#include <QList>
#include <QString>

#include <memory>

namespace vf {

class Store;
class StagingRun;

struct ImportStatistics {
    qint64 workerMs = 0; // the worker's run, process start included
    qint64 readMs = -1;  // the worker's own reading time
    qint64 copyMs = 0;   // replacing the rows in the turn entry database
};

// A turn results file read whole by the worker, waiting in its staging file to replace an
// empire's rows. The staging folder goes when this does.
struct StagedTurnFile {
    StagedTurnFile(QString file, std::unique_ptr<StagingRun> stagingRun);
    ~StagedTurnFile();
    QString stagingFile() const;

    QString turnFile;
    std::unique_ptr<StagingRun> run;
    ImportStatistics statistics;
};

// Whose rows a read file holds.
struct EmpiresInFile {
    bool holdsChosenEmpire = false;
    QList<qint64> empireIds; // every empire number of the file's rows, ascending
};

// Replaces an empire's imported tables from its turn results file. Nothing in the turn entry
// database changes until the reader has delivered every row of the file; then the deletion
// and the copy are one transaction. Any failure throws vf::Error naming the file and the
// cause, and leaves the database as it was.
class TurnImporter {
public:
    // The reader's staging folders live beside the turn entry database.
    TurnImporter(const Store& store, QString workerPath, WorkerLimits limits = {});

    // Reads the whole file through the worker while events go on; cancelRequested ends it.
    std::unique_ptr<StagedTurnFile> read(const QString& turnFile,
                                         const CancelCheck& cancelRequested = {}) const;
    EmpiresInFile empiresIn(int empireId, const StagedTurnFile& staged) const;
    void replace(int empireId, StagedTurnFile& staged) const;

    // read() and replace() in one, whoever the rows belong to.
    ImportStatistics importFile(int empireId, const QString& turnFile) const;

    // Replaces the empire's rows from a complete staging file written by the reader; the
    // turn results file is named in messages.
    void copyStaging(int empireId, const QString& stagingFile, const QString& turnFile) const;

private:
    // Both work on the staging file attached to the turn entry database.
    void checkStaging(const QString& turnFile) const;
    void copyRows(int empireId, const QString& turnFile) const;

    const Store& m_store;
    QString m_workerPath;
    WorkerLimits m_limits;
};

} // namespace vf
