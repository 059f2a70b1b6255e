#pragma once

#include "model/RecordKind.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vf {

class Store;

// What a column tells of its row's record, where that matters.
enum class ColumnRole {
    Plain,
    Key,         // the record's number, which identifies the row
    Name,        // the record's name, next to its number
    Rank,        // a commander's rank, before the name
    Star,        // the star the record is at (a warp point's, a population group's)
    Orbit,       // the orbit, after the star
    Destination, // where a warp point leads
};

struct ShownColumn {
    QString field;   // the stored field
    QString heading; // in a player's words
    bool number = false;
    ColumnRole role = ColumnRole::Plain;

    bool operator==(const ShownColumn&) const = default;
};

// One imported table as the player sees it: a title, its columns in a player's words (among
// them, where it has one, the record's number that identifies a row).
struct ShownTable {
    QString table; // the stored table
    QString title;
    QList<ShownColumn> columns;
    std::optional<RecordKind> kind; // what an order given from a row names

    // The column of the role; -1 when the table has none.
    int column(ColumnRole role) const;
    // -1: rows are told apart by all they hold.
    int keyColumn() const { return column(ColumnRole::Key); }
};

// The thirteen imported tables, in the order the player reads them (fleets first).
const QList<ShownTable>& shownTables();
// The table of a kind of record.
const ShownTable& shownTable(RecordKind kind);

// A table's rows of one empire, each cell as the player reads it (numbers in decimal, a warp
// point's unknown destination as "unexplored"), in stored order.
struct TableRows {
    const ShownTable* table = nullptr;
    QList<ShownColumn> columns; // the table's own, then its further fields
    std::vector<QStringList> rows;
};

// The columns shown for the empire: the table's own, then the further fields its last import
// kept (Fleets: "Location", "Speed", ...).
QList<ShownColumn> shownColumns(const Store& store, int empireId, const ShownTable& table);
TableRows readShownTable(const Store& store, int empireId, const ShownTable& table);
// The query of a table's rows of one empire in stored order: its own fields, then the further
// ones in one (no value when none was kept, or the database is of a version that kept none).
QString shownRowsQuery(const Store& store, const ShownTable& table, bool withFurther);
// How many rows the table holds for the empire.
int countShownRows(const Store& store, int empireId, const ShownTable& table);

// A warp point's destination as the player reads it: "Vega (B)" for "VegaB"; "unexplored"
// for "?", "?4" or nothing.
QString shownDestination(const QString& destination);

// Whether any cell of the row holds the text, letter case ignored (an empty text: every row).
bool rowHolds(const QStringList& row, const QString& text);

// Sorts rows (indices into rows.rows) by a column: a column of numbers as numbers, whole or
// not, an empty cell before every number; any other as a player sorts names, letter case
// aside. Rows with equal cells keep their order.
void sortRows(std::vector<int>& shown, const TableRows& rows, int column, Qt::SortOrder order);

// "Fleet # 27 Home Guard", "Warp Point # 31 at Dun Morrow", or the row's own cells for a
// table without identifiers ("Sol 3").
QString rowLabel(const ShownTable& table, const QStringList& row);

} // namespace vf
