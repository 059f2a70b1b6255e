#pragma once

#include "ImportWriter.h"
#include "ReaderRun.h"

#include <QList>
#include <QString>

namespace vf {

class Store;

struct ImportStatistics {
    qint64 readMs = -1;  // the reader's own reading, as it reports it
    qint64 finishMs = 0; // after the reader ended: the last rows and the commit
};

// What to do with a file none of whose rows belongs to the empire imported for (another
// empire's file saved under this empire's name, or an empty one).
enum class ForeignFile { Replace, KeepOldData };

struct ImportResult {
    bool replaced = false;
    QList<qint64> empireIds; // every empire number of the file's rows, ascending
    LeftOutRows leftOut;     // rows that name no empire or another one: not stored
    ImportStatistics statistics;
};

// "3 rows were not stored: 2 name no empire, 1 names Empire # 999." (empty when none was
// left out), told after an import's success.
QString leftOutSummary(const LeftOutRows& leftOut);

// Replaces an empire's imported tables from its turn results file; only the rows of that
// empire are stored. The reader streams
// the file's rows while the program stores them, all inside one transaction that is
// committed only when the reader has delivered every row and ended cleanly. Any failure
// throws vf::Error naming the file and the cause, and leaves the database as it was.
class TurnImporter {
public:
    TurnImporter(const Store& store, QString readerPath, ReaderLimits limits = {});

    // Runs on the calling thread; the stop flag ends the reading. With KeepOldData, a file
    // that holds no row of the empire changes nothing (replaced stays false).
    ImportResult importFile(int empireId, const QString& turnFile,
                            ForeignFile foreign = ForeignFile::Replace,
                            const Progress& progress = {}) const;

private:
    const Store& m_store;
    QString m_readerPath;
    ReaderLimits m_limits;
};

} // namespace vf
