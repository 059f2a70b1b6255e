#pragma once

#include "Mdb.h"
#include "RowValues.h"
#include "protocol/ImportedTables.h"
#include "protocol/ReaderProtocol.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vf::reader {

// One table of the import, its fields found and bound once (and, for a turn results file,
// its further fields), and its rows written as frames: each row's layout and values checked
// before anything of it goes out. libmdb keeps pointers into what is bound: a TableCopy is
// never copied or moved.
class TableCopy {
public:
    // Throws UnusableFile when a field is missing or its definition is damaged.
    TableCopy(const Table& wanted, TablePtr table, bool withExtras);
    TableCopy(const TableCopy&) = delete;
    TableCopy& operator=(const TableCopy&) = delete;

    // Writes the table frame (index: its place in the reader's order), its further fields'
    // names and every row. Returns the rows written; throws UnusableFile when a row is damaged
    // or the table yields other than the rows its definition counts.
    std::int64_t copyTo(FrameWriter& out, int index);

private:
    // The table's further fields, in the file's order, bound where they are read as text.
    void bindExtras();
    void writeExtras(FrameWriter& out, const std::vector<MdbField>& fields, int rowColumns,
                     std::string& scratch) const;

    const Table& m_wanted;
    TablePtr m_table;
    std::vector<BoundField> m_bound;
    std::vector<BoundField> m_extraBuffers; // never resized once bound
    std::vector<ExtraField> m_extras;
};

} // namespace vf::reader
