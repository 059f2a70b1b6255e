#pragma once

// How the turn results reader hands the rows of a turn results file to the program.
//
//   vfturn-reader <turn results file>
//   vfturn-reader --old-database <the old program's database>
//
// The reader writes the rows to standard output as frames, table by table in the order of
// kImportedTables, or of kOldDatabaseTables (ImportedTables.h), and the program stores them as they
// come, inside one transaction that it commits only when the reader has ended cleanly:
//
//   table frame  'T' <table index: 1 byte>
//   extra frame  'X' <count: 1 byte> then each name as a text value ('S' ...): the further
//                  fields of a turn results table, beyond those the import copies, that the
//                  rows carry after them (only when the table has such fields)
//   row frame    'R' then one value for each field copied, in the table's field order:
//                  'N'                          no value
//                  'I' <8 bytes, little-endian> a whole number (every identifier field)
//                  'S' <4 bytes length, little-endian> <UTF-8 bytes>   a text
//   unread frame 'U' <its name as a text value ('S' ...)> <8 bytes: its rows>: a table of a
//                  turn results file that the program does not read, after the last row
//   end frame    'E' <8 bytes: rows written> <8 bytes: milliseconds the reading took>
//
// A further field's value is 'N' or a text, as the player reads it: numbers in plain decimal,
// a date as yyyy-mm-dd hh:mm:ss, yes/no as Yes or No, binary data as "<n> bytes"; a value that
// cannot be read as text (damaged, too long) is 'N', never a reason to refuse the file.
//
// The reader converts each value to the kind its field is stored as: identifiers to whole
// numbers of 32 bits (Text fields holding digits included), names to text (numbers in plain
// decimal). A value it cannot convert makes the file unusable.
//
// Complete: exit status 0, nothing on standard error, and an end frame counting every row.
// Status kExitUnusableFile: the file cannot be imported as it is (a table or field is missing,
// a value does not fit, the file is shorter than its own page pointers say, a table yields
// other than the rows its definition counts, a row is damaged); the last line of standard
// error is kUnusablePrefix followed by why, for the player. Any other status, any error
// output (libmdb writes its complaints there and reads on, or may end the process), or a
// signal, means the file could not be read whole.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vf::reader {

inline constexpr char kTableFrame = 'T';
inline constexpr char kRowFrame = 'R';
inline constexpr char kExtraFrame = 'X';
inline constexpr std::size_t kMostExtraFields = 255;
inline constexpr char kUnreadFrame = 'U';
inline constexpr char kEndFrame = 'E';
inline constexpr char kNoValue = 'N';
inline constexpr char kWholeNumber = 'I';
inline constexpr char kText = 'S';

inline constexpr int kExitUsage = 2;
inline constexpr int kExitUnusableFile = 3;
inline constexpr char kUnusablePrefix[] = "unusable: ";

// Why a file cannot be read whole, in the same words from the reader and the program: a file
// that is not whole pages was cut short (the old program's database was never downloaded); in
// one that is, a page number past its end is damage like any other.
inline constexpr char kCutShort[] = "it is incomplete (was the download cut short?)";
inline constexpr char kOldDatabaseCutShort[] = "it is incomplete (it ends part-way through a page)";
inline constexpr char kPointsPastItsEnd[] = "it is damaged (it points past its own end)";
inline constexpr char kOldDatabaseOption[] = "--old-database";

// Writes frames to a stream through a buffer of its own.
class FrameWriter {
public:
    explicit FrameWriter(std::FILE* out)
        : m_out(out)
    {
        m_buffer.reserve(kFlushAt + 4096);
    }
    ~FrameWriter() { flush(); }
    FrameWriter(const FrameWriter&) = delete;
    FrameWriter& operator=(const FrameWriter&) = delete;

    void table(int index)
    {
        m_buffer += kTableFrame;
        m_buffer += static_cast<char>(index);
    }
    void extraFields(const std::vector<std::string>& names)
    {
        m_buffer += kExtraFrame;
        m_buffer += static_cast<char>(names.size());
        for (const std::string& name : names)
            text(name);
    }
    void row()
    {
        if (m_buffer.size() >= kFlushAt)
            flush();
        m_buffer += kRowFrame;
    }
    void noValue() { m_buffer += kNoValue; }
    void wholeNumber(std::int64_t value)
    {
        m_buffer += kWholeNumber;
        putLittleEndian(static_cast<std::uint64_t>(value), 8);
    }
    void text(std::string_view value)
    {
        m_buffer += kText;
        putLittleEndian(value.size(), 4);
        m_buffer += value;
    }
    void unreadTable(std::string_view name, std::int64_t rows)
    {
        m_buffer += kUnreadFrame;
        text(name);
        putLittleEndian(static_cast<std::uint64_t>(rows), 8);
    }
    void end(std::int64_t rows, std::int64_t readMs)
    {
        m_buffer += kEndFrame;
        putLittleEndian(static_cast<std::uint64_t>(rows), 8);
        putLittleEndian(static_cast<std::uint64_t>(readMs), 8);
        flush();
    }
    // False when the stream could not take everything.
    bool flush()
    {
        const bool written =
            std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_out) == m_buffer.size();
        m_buffer.clear();
        return std::fflush(m_out) == 0 && written;
    }

private:
    static constexpr std::size_t kFlushAt = 64 * 1024;

    void putLittleEndian(std::uint64_t value, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            m_buffer += static_cast<char>((value >> (8 * i)) & 0xff);
    }

    std::FILE* m_out;
    std::string m_buffer;
};

} // namespace vf::reader
