#pragma once

#include "ShownTables.h"
#include "turnimport/ReaderRun.h"
#include "turnimport/TurnResultsArchive.h"

#include <QDateTime>

namespace vf {

// What changed in one table between two imports of an empire's turn data.
struct TableChanges {
    QString title;
    int added = 0;
    int gone = 0;
    int changed = 0;
    QStringList lines; // "Fleet # 27 Home Guard: gone", ...

    // "Fleets: 1 new, 1 gone, 1 changed", or "Fleets: no change".
    QString summary() const;
};

// The comparison of two imports; every table, in the order of shownTables().
struct TurnChanges {
    QDateTime before;
    QDateTime after;
    QList<TableChanges> tables;

    int total() const;
};

// Every shown table of an empire as stored now.
using TurnSnapshot = std::vector<TableRows>;
TurnSnapshot readTurnSnapshot(const Store& store, int empireId);

// What an empire's turn data held, kept compactly (a row is one text) to tell what an import
// then changed: rows matched by their identifier where the table has one, by their name
// otherwise; the rows stored later are compared as they are read, one by one.
class StoredTurn {
public:
    StoredTurn(const Store& store, int empireId);
    ~StoredTurn();
    StoredTurn(StoredTurn&&) noexcept;
    StoredTurn& operator=(StoredTurn&&) noexcept;

    // What changed from this to what the store holds for the empire now.
    QList<TableChanges> changesTo(const Store& store, int empireId) const;

private:
    struct Table;
    std::vector<Table> m_tables;
};

// What changed from an earlier turn results file of the empire (one the archive keeps) to the
// turn data stored now. The file is read by the reader into a database of its own in a
// temporary folder, as an import would read it; throws vf::Error when it cannot be.
TurnChanges changesSince(const Store& store, int empireId, const QString& readerPath,
                         const QString& earlierFile, const QDateTime& earlierWhen,
                         const Progress& progress = {});

// What changed from one kept turn results file of the empire to another, both read as above.
TurnChanges changesBetween(int empireId, const QString& readerPath,
                           const TurnResultsArchive::Kept& earlier,
                           const TurnResultsArchive::Kept& later, const Progress& progress = {});

} // namespace vf
