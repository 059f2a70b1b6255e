#pragma once

#include "turnimport/ImportedTables.h"

#include <cstdint>
#include <stdexcept>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace vf::turnfile {

// The staging file could not be written for want of disk space.
class DiskFull : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the staging file the program reads (see turnimport/StagingFormat.h).
class StagingWriter {
public:
    explicit StagingWriter(const std::string& path);
    ~StagingWriter();
    StagingWriter(const StagingWriter&) = delete;
    StagingWriter& operator=(const StagingWriter&) = delete;

    void beginTable(const Table& table);
    void bindNull(int field);
    void bindInteger(int field, std::int64_t value);
    void bindReal(int field, double value);
    void bindText(int field, const char* text, int length);
    void storeRow();
    // Commits every row and marks the file complete.
    void finish();

private:
    void exec(const std::string& sql);
    void check(int rc, const char* what);
    void finishStatement();

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_insert = nullptr;
};

} // namespace vf::turnfile
