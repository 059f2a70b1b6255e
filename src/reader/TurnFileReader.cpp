#include "TurnFileReader.h"

#include "FilePages.h"
#include "Mdb.h"
#include "TableCopy.h"
#include "protocol/ImportedTables.h"
#include "protocol/ReaderProtocol.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

namespace vf::reader {

struct TurnFileReader::Impl {
    HandlePtr mdb;
    std::unique_ptr<FilePages> pages;

    TablePtr openTable(std::string_view name)
    {
        MdbCatalogEntry* entry = mdb_get_catalogentry_by_name(mdb.get(), std::string(name).c_str());
        if (!entry || entry->object_type != MDB_TABLE)
            throw UnusableFile("the table " + quotedName(name) + " is missing");
        pages->checkDefinitionPages(entry->table_pg);
        TablePtr table(mdb_read_table(entry));
        if (!table || !mdb_read_columns(table.get()))
            throw std::runtime_error("the table " + quotedName(name) + " cannot be read");
        pages->checkDataPages(table.get(), entry->table_pg);
        return table;
    }

    // The player's own tables of the file that the program does not read, with their rows
    // as their definitions count them (Access keeps its system tables under "MSys").
    void tellUnreadTables(FrameWriter& out)
    {
        GPtrArray* catalogue = mdb.get()->catalog;
        for (unsigned i = 0; catalogue && i < catalogue->len; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(catalogue, i));
            const std::string_view name = entry ? entry->object_name : "";
            if (!entry || entry->object_type != MDB_TABLE || name.starts_with("MSys") ||
                name.starts_with("~") || isRead(name))
                continue;
            pages->checkDefinitionPages(entry->table_pg);
            TablePtr table(mdb_read_table(entry));
            if (table)
                out.unreadTable(name, static_cast<std::int64_t>(table->num_rows));
        }
    }

    static bool isRead(std::string_view name)
    {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        const auto same = [&](std::string_view other) {
            return std::equal(name.begin(), name.end(), other.begin(), other.end(),
                              [&](char a, char b) { return lower(a) == lower(b); });
        };
        return same(kEmpiresTable) ||
               std::any_of(std::begin(kImportedTables), std::end(kImportedTables),
                           [&](const Table& table) { return same(table.name); });
    }

    void checkEmpires()
    {
        TablePtr table = openTable(kEmpiresTable);
        mdb_read_indices(table.get()); // returns nothing useful; it fills table->indices
        for (unsigned i = 0; table->indices && i < table->indices->len; ++i) {
            auto* index = static_cast<MdbIndex*>(g_ptr_array_index(table->indices, i));
            if (index && g_ascii_strcasecmp(index->name, std::string(kEmpiresIndex).c_str()) == 0)
                return;
        }
        throw UnusableFile("the table \"Empires\" has no index \"PrimaryKey\"");
    }
};

TurnFileReader::TurnFileReader(const std::string& path, Kind kind)
    : m_impl(std::make_unique<Impl>())
    , m_kind(kind)
{
    m_impl->mdb.reset(mdb_open(path.c_str(), MDB_NOFLAGS));
    if (!m_impl->mdb)
        throw UnusableFile("it is not an Access database");
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff end = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    const auto size = static_cast<std::uint64_t>(end);
    const auto pageSize = static_cast<std::uint64_t>(m_impl->mdb->fmt->pg_size);
    if (end < 0 || pageSize == 0 || size % pageSize != 0)
        throw UnusableFile(kind == Kind::OldDatabase ? kOldDatabaseCutShort : kCutShort);
    m_impl->pages = std::make_unique<FilePages>(m_impl->mdb.get(), size / pageSize);
    m_impl->pages->readPageHeads(path);
    mdb_set_bind_size(m_impl->mdb.get(), kBindSize);
    mdb_set_date_fmt(m_impl->mdb.get(), "%Y-%m-%d %H:%M:%S");
    mdb_set_boolean_fmt_numbers(m_impl->mdb.get());
    m_impl->pages->checkCatalogue();
    if (!mdb_read_catalog(m_impl->mdb.get(), MDB_TABLE))
        throw std::runtime_error("its list of tables cannot be read");
}

TurnFileReader::~TurnFileReader() = default;

std::int64_t TurnFileReader::copyTo(FrameWriter& out)
{
    // Every table and field is found before the first row is read.
    const std::span<const Table> wanted = m_kind == Kind::TurnResults
                                              ? std::span<const Table>(kImportedTables)
                                              : std::span<const Table>(kOldDatabaseTables);
    std::vector<std::unique_ptr<TableCopy>> tables;
    for (const Table& table : wanted)
        tables.push_back(std::make_unique<TableCopy>(table, m_impl->openTable(table.name),
                                                     m_kind == Kind::TurnResults));
    if (m_kind == Kind::TurnResults)
        m_impl->checkEmpires();
    std::int64_t rows = 0;
    for (std::size_t t = 0; t < tables.size(); ++t)
        rows += tables[t]->copyTo(out, static_cast<int>(t));
    if (m_kind == Kind::TurnResults)
        m_impl->tellUnreadTables(out);
    return rows;
}

} // namespace vf::reader
