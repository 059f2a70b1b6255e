#pragma once

#include "Mdb.h"

#include <cstddef>
#include <vector>

namespace vf::reader {

// The shape of a table's rows as its definition lays them out: how many columns a row may
// count, how many of them of variable length, and where each fixed column's bytes lie.
struct RowShape {
    unsigned mostColumns = 0;
    unsigned mostVariableColumns = 0;
    std::vector<const MdbColumn*> fixedColumns; // in the order rows hold them
    std::vector<const MdbColumn*> textColumns;
    // No column was ever deleted from the definition: a row holds nothing but its columns.
    bool noGaps = true;
};

RowShape rowShapeOf(const MdbTableDef* table);

// Whether a row (of an Access 2000 file) holds together as the format lays it out, before any
// of its values is trusted (libmdb does not look): from the end back, a mask of the columns
// that have values, the count of variable-length columns, their offsets and the offset of
// their end, last first; from the start, the count of columns and the fixed-length values.
// The row must lie past the page's table of rows; the counts must fit the table's
// definition; the variable-length values must tile the row's data exactly (the first starts
// where the fixed values end, each ends where the next starts, the last where the table of
// offsets begins); a text must fit its column and be whole letters. The row is on the page
// libmdb read last.
bool rowHoldsTogether(const MdbHandle* mdb, const RowShape& shape, int start, std::size_t size);

} // namespace vf::reader
