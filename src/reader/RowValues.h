#pragma once

#include "Mdb.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vf::reader {

// One field of the import and the column of the source table it is read from. Whole numbers
// and texts of an Access 2000 file (nearly every value of a turn results file) the reader reads
// from the row itself: libmdb would format each through printf and iconv, which took most of
// the reading's time. Other values libmdb writes as text into the field's buffer; it keeps
// pointers to the buffer and the length: a BoundField lives in a vector that is moved, never
// copied or resized, after binding.
struct BoundField {
    MdbColumn* column = nullptr;
    int columnIndex = 0;
    std::unique_ptr<char[]> buffer; // nothing when the reader reads the value itself
    int length = 0;

    bool readHere() const { return !buffer; }
};

// A further field of a turn results table, beyond those the import copies: shown to the
// player as text. Binary data is not bound (its size is all that is shown).
struct ExtraField {
    std::string name;
    MdbColumn* column = nullptr;
    int columnIndex = 0;
    BoundField* bound = nullptr; // nothing for binary data
};

// Binds the field's column to its buffer, unless the reader reads its values itself. False
// when libmdb refuses the column.
bool bindField(MdbTableDef* table, BoundField& field);

// A column the import needs must be a number or a text, and its definition must hold
// together: a damaged definition makes libmdb read the whole column as no value, without
// a word.
bool definitionHoldsTogether(const MdbTableDef* table, const MdbColumn* column);
// Whether a further field can be shown: a number, a text, a yes/no, a date or binary data,
// whose definition holds together. Any other is left out, never a reason to refuse the file.
bool isShowable(const MdbTableDef* table, const MdbColumn* column);

// A value libmdb wrote longer than its buffer holds is cut short.
bool fitsItsBuffer(const BoundField& bound);
// The value as an identifier; nothing when it is no whole number of 32 bits.
std::optional<std::int64_t> identifierOf(const BoundField& bound, const MdbField& value,
                                         std::string& scratch);
// The value as a name shows it (a number in plain decimal), in scratch or libmdb's buffer.
std::string_view nameOf(const BoundField& bound, const MdbField& value, std::string& scratch);
// A further field's value as the player reads it, in scratch; nothing when it cannot be read
// as text.
std::optional<std::string_view> extraText(const ExtraField& extra, const MdbField& field,
                                          std::string& scratch);

} // namespace vf::reader
