#pragma once

#include "model/ImportStamp.h"

#include <QStringList>

namespace vf {

class Store;

// What the store keeps of each import of an empire's turn data besides its rows.

// When the empire's turn data was last imported, and from which file (invalid: never).
ImportStamp lastImportOf(const Store& store, int empireId);
void recordImport(const Store& store, int empireId, const ImportStamp& stamp);

// The names of the further fields the last import kept for a table of the empire (those the
// import does not copy into fields of their own: a fleet's location, an item's mass), in the
// order its rows hold their values.
QStringList furtherFieldsOf(const Store& store, int empireId, const QString& table);
void keepFurtherFields(const Store& store, int empireId, const QString& table,
                       const QStringList& names);

// A table of a turn results file that the program does not read ("Ship Designs", 1 row).
struct UnreadTable {
    QString name;
    qint64 rows = 0;
    bool operator==(const UnreadTable&) const = default;
};
QList<UnreadTable> unreadTablesOf(const Store& store, int empireId);
void keepUnreadTables(const Store& store, int empireId, const QList<UnreadTable>& tables);
// "The file also holds: Ship Designs (1 row), not read by this program"; empty when none.
QString unreadTablesLine(const QList<UnreadTable>& tables);

// A window's title naming the empire and its import:
// "Turn Data - Empire # 123 Sable Concord - imported 05-17-2024 at 10:02 from 123.mdb".
QString importTitle(const Store& store, int empireId, const QString& window);

} // namespace vf
