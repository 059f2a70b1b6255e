#pragma once

// How the turn results reader worker hands the rows of a turn results file to the program.
//
//   vfturn-turnfile <turn results file> <staging file>
//
// The worker writes the staging file, a new SQLite database, and exits with status 0 when
// it is complete. The staging file holds one table for each of the thirteen imported
// tables (ImportedTables.h), under the same name, with exactly the fields copied, in that
// order. Each value keeps the kind it had in the turn results file: an integer for
// Byte, Integer, Long Integer and Yes/No fields, a real for Single, Double, Decimal and
// Currency fields, text (UTF-8) for Text, Memo and any other field, and NULL for a field
// without a value. Rows are in the file's stored order. The program converts the values
// to the types of the turn entry database.
//
// The worker sets PRAGMA user_version to kStagingComplete as its very last write; a staging
// file without it is incomplete and is never read.
//
// Exit status 0 with nothing on standard error: complete. Status kExitUnusableFile: the file
// cannot be imported as it is (a table or field is missing, a value does not fit, the file is
// shorter than its own page pointers say, a table yields other than the rows its definition
// counts); the last line of standard error is kUnusablePrefix followed by why, for the player.
// Status kExitDiskFull: the staging file could not be written for want of disk space. Any
// other status, any error output (libmdb writes its complaints there and reads on, or may end
// the process), or a signal, means the file could not be read whole. On success the worker
// prints one line to standard output: "rows <count> read-ms <milliseconds>".

namespace vf::turnfile {

inline constexpr int kStagingComplete = 0x56465431; // "VFT1"
inline constexpr int kExitUnusableFile = 3;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitDiskFull = 4;
inline constexpr char kUnusablePrefix[] = "unusable: ";

} // namespace vf::turnfile
