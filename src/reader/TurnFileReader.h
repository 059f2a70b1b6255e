#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>

namespace vf::reader {

class FrameWriter;
struct Table;

// The turn results file is readable but cannot be imported; the message is for the player.
class UnusableFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the tables of a turn results file (or of the old program's database) with libmdb and
// writes every row as a frame (see turnimport/ReaderProtocol.h). Checks first that the file
// is whole and that every table and field needed is present.
class TurnFileReader {
public:
    // A turn results file must also hold the table "Empires" with its index "PrimaryKey".
    enum class Kind { TurnResults, OldDatabase };

    TurnFileReader(const std::string& path, Kind kind);
    ~TurnFileReader();
    TurnFileReader(const TurnFileReader&) = delete;
    TurnFileReader& operator=(const TurnFileReader&) = delete;

    // Returns the number of rows written.
    std::int64_t copyTo(FrameWriter& out);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    Kind m_kind;
};

} // namespace vf::reader
