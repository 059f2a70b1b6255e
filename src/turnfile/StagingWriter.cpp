#include "StagingWriter.h"

#include "turnimport/StagingFormat.h"

#include <sqlite3.h>

namespace vf::turnfile {

namespace {

std::string quoted(std::string_view name)
{
    std::string out = "\"";
    for (char c : name) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

} // namespace

StagingWriter::StagingWriter(const std::string& path)
{
    check(sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
          "create the staging file");
    exec("PRAGMA journal_mode = OFF");
    exec("PRAGMA synchronous = OFF");
    exec("PRAGMA locking_mode = EXCLUSIVE");
    exec("PRAGMA cache_size = -65536");
    exec("BEGIN");
}

StagingWriter::~StagingWriter()
{
    finishStatement();
    sqlite3_close(m_db);
}

void StagingWriter::exec(const std::string& sql)
{
    check(sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr), "write the staging file");
}

void StagingWriter::check(int rc, const char* what)
{
    if (rc == SQLITE_FULL)
        throw DiskFull(std::string("could not ") + what + ": the disk is full");
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(std::string("could not ") + what + ": " +
                                 (m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc)));
}

void StagingWriter::finishStatement()
{
    if (m_insert)
        sqlite3_finalize(m_insert);
    m_insert = nullptr;
}

void StagingWriter::beginTable(const Table& table)
{
    finishStatement();
    std::string columns;
    std::string marks;
    for (const Field& field : table.fields) {
        columns += (columns.empty() ? "" : ", ") + quoted(field.name);
        marks += marks.empty() ? "?" : ", ?";
    }
    exec("CREATE TABLE " + quoted(table.name) + " (" + columns + ")");
    const std::string insert = "INSERT INTO " + quoted(table.name) + " VALUES (" + marks + ")";
    check(sqlite3_prepare_v2(m_db, insert.c_str(), -1, &m_insert, nullptr),
          "write the staging file");
}

void StagingWriter::bindNull(int field)
{
    check(sqlite3_bind_null(m_insert, field + 1), "write a value");
}

void StagingWriter::bindInteger(int field, std::int64_t value)
{
    check(sqlite3_bind_int64(m_insert, field + 1, value), "write a value");
}

void StagingWriter::bindReal(int field, double value)
{
    check(sqlite3_bind_double(m_insert, field + 1, value), "write a value");
}

void StagingWriter::bindText(int field, const char* text, int length)
{
    // The text stays in the reader's buffer until the row is stored.
    check(sqlite3_bind_text(m_insert, field + 1, text, length, SQLITE_STATIC), "write a value");
}

void StagingWriter::storeRow()
{
    check(sqlite3_step(m_insert), "write a row");
    sqlite3_reset(m_insert);
    sqlite3_clear_bindings(m_insert);
}

void StagingWriter::finish()
{
    finishStatement();
    exec("COMMIT");
    exec("PRAGMA user_version = " + std::to_string(kStagingComplete));
}

} // namespace vf::turnfile
