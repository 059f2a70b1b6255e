#pragma once

#include "ShownTables.h"

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
    QDateTime before; // invalid: there was nothing to compare with
    QDateTime after;
    QList<TableChanges> tables;

    bool comparable() const { return before.isValid(); }
    int total() const;
};

// Every shown table of an empire as stored now.
using TurnSnapshot = std::vector<TableRows>;
TurnSnapshot readTurnSnapshot(const Store& store, int empireId);

// Rows matched by their identifier where the table has one, by all they hold otherwise.
QList<TableChanges> compareTurns(const TurnSnapshot& before, const TurnSnapshot& after);

// The last comparison made for the empire, kept with its data (replacing the one before).
void keepTurnChanges(const Store& store, int empireId, const TurnChanges& changes);
// Nothing comparable when none was kept (the empire was imported once, or never).
TurnChanges keptTurnChanges(const Store& store, int empireId);

} // namespace vf
