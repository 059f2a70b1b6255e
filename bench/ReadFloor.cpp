#include "ReadFloor.h"

#include "protocol/ImportedTables.h"

// Debian's mdbtools.h includes glib.h inside extern "C"; glib must then come first for C++.
#if __has_include(<glib.h>)
#include <glib.h>
#endif

#include <mdbtools.h>

#include <stdexcept>
#include <vector>

namespace vf::bench {

namespace {

constexpr std::size_t kBindSize = 256 * 1024;

std::int64_t readTable(MdbHandle* mdb, std::string_view name)
{
    MdbCatalogEntry* entry = mdb_get_catalogentry_by_name(mdb, std::string(name).c_str());
    if (!entry)
        throw std::runtime_error("a table is missing");
    MdbTableDef* table = mdb_read_table(entry);
    mdb_read_columns(table);
    std::vector<std::vector<char>> buffers(table->num_cols, std::vector<char>(kBindSize));
    std::vector<int> lengths(table->num_cols);
    for (unsigned c = 0; c < table->num_cols; ++c)
        mdb_bind_column(table, static_cast<int>(c) + 1, buffers[c].data(), &lengths[c]);
    mdb_rewind_table(table);
    std::int64_t rows = 0;
    while (mdb_fetch_row(table))
        ++rows;
    mdb_free_tabledef(table);
    return rows;
}

} // namespace

std::int64_t readEveryValue(const std::string& turnFile)
{
    MdbHandle* mdb = mdb_open(turnFile.c_str(), MDB_NOFLAGS);
    if (!mdb)
        throw std::runtime_error("not an Access file");
    mdb_set_bind_size(mdb, kBindSize);
    mdb_read_catalog(mdb, MDB_TABLE);
    std::int64_t rows = 0;
    for (const reader::Table& table : reader::kImportedTables)
        rows += readTable(mdb, table.name);
    mdb_close(mdb);
    return rows;
}

} // namespace vf::bench
