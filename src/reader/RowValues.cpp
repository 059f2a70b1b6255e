#include "RowValues.h"

#include "protocol/ValueConversion.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace vf::reader {

namespace {

bool isRealType(int type)
{
    return type == MDB_FLOAT || type == MDB_DOUBLE || type == MDB_MONEY || type == MDB_NUMERIC;
}

bool isWholeNumberType(int type)
{
    return type == MDB_BYTE || type == MDB_INT || type == MDB_LONGINT;
}

} // namespace

bool bindField(MdbTableDef* table, BoundField& field)
{
    const int type = field.column->col_type;
    if (!IS_JET3(table->entry->mdb) && (type == MDB_TEXT || isWholeNumberType(type)))
        return true;
    // Not cleared first: libmdb writes each value before it is read, and memory that is
    // never touched costs nothing.
    field.buffer = std::make_unique_for_overwrite<char[]>(kBindSize);
    return mdb_bind_column(table, field.columnIndex + 1, field.buffer.get(), &field.length) >= 0;
}

namespace {

// A whole number column's value in the row (little-endian; a byte has no sign).
std::int64_t wholeNumberIn(const BoundField& bound, const MdbField& value)
{
    const auto* bytes = static_cast<const unsigned char*>(value.value);
    switch (bound.column->col_type) {
    case MDB_BYTE:
        return bytes[0];
    case MDB_INT:
        return static_cast<std::int16_t>(bytes[0] | (bytes[1] << 8));
    default:
        return static_cast<std::int32_t>(uint32At(bytes));
    }
}

// The value as text: as libmdb wrote it, or as the reader reads it from the row into scratch.
std::string_view textOf(const BoundField& bound, const MdbField& value, std::string& scratch)
{
    if (!bound.readHere())
        return {bound.buffer.get(), static_cast<std::size_t>(bound.length)};
    scratch.clear();
    if (bound.column->col_type == MDB_TEXT)
        appendStoredText({static_cast<const char*>(value.value), std::size_t(value.siz)}, scratch);
    else
        scratch = std::to_string(wholeNumberIn(bound, value));
    return scratch;
}

} // namespace

bool fitsItsBuffer(const BoundField& bound)
{
    return bound.readHere() || static_cast<std::size_t>(bound.length) < kBindSize - 1;
}

namespace {

// The size a number column of the type has in the file; 0 for other types.
int numberSize(int type)
{
    switch (type) {
    case MDB_BYTE:
        return 1;
    case MDB_INT:
        return 2;
    case MDB_LONGINT:
    case MDB_FLOAT:
        return 4;
    case MDB_DOUBLE:
    case MDB_MONEY:
        return 8;
    case MDB_NUMERIC:
        return 17;
    default:
        return 0;
    }
}

} // namespace

bool definitionHoldsTogether(const MdbTableDef* table, const MdbColumn* column)
{
    constexpr int kLongestText = 255 * 2; // characters of two bytes
    const int type = column->col_type;
    const bool inRow =
        column->col_num >= 0 && static_cast<unsigned>(column->col_num) < table->num_cols;
    if (const int size = numberSize(type); size > 0)
        return inRow && column->is_fixed && column->col_size == size && column->fixed_offset >= 0 &&
               column->fixed_offset + size <= table->entry->mdb->fmt->pg_size;
    if (type == MDB_TEXT)
        return inRow && !column->is_fixed && column->col_size > 0 &&
               column->col_size <= kLongestText && column->var_col_num < table->num_var_cols;
    if (type == MDB_MEMO)
        return inRow && !column->is_fixed && column->var_col_num < table->num_var_cols;
    return false;
}

namespace {

// A real number as libmdb wrote it, read back; nothing when the text is no number.
std::optional<double> realNumberOf(const BoundField& bound)
{
    const char* text = bound.buffer.get();
    char* end = nullptr;
    errno = 0;
    const double number = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0')
        return std::nullopt;
    return number;
}

} // namespace

std::optional<std::int64_t> identifierOf(const BoundField& bound, const MdbField& value,
                                         std::string& scratch)
{
    if (bound.readHere() && bound.column->col_type != MDB_TEXT)
        return wholeNumberIn(bound, value);
    if (isRealType(bound.column->col_type)) {
        const auto number = realNumberOf(bound);
        return number ? identifierFromNumber(*number) : std::nullopt;
    }
    return identifierFromText(textOf(bound, value, scratch));
}

std::string_view nameOf(const BoundField& bound, const MdbField& value, std::string& scratch)
{
    if (isRealType(bound.column->col_type)) {
        if (const auto number = realNumberOf(bound)) {
            scratch = textFromNumber(*number);
            return scratch;
        }
    }
    return textOf(bound, value, scratch);
}

bool isShowable(const MdbTableDef* table, const MdbColumn* column)
{
    constexpr int kDateSize = 8;
    const bool inRow =
        column->col_num >= 0 && static_cast<unsigned>(column->col_num) < table->num_cols;
    switch (column->col_type) {
    case MDB_BOOL:
        return inRow && column->is_fixed;
    case MDB_DATETIME:
        return inRow && column->is_fixed && column->col_size == kDateSize &&
               column->fixed_offset >= 0 &&
               column->fixed_offset + kDateSize <= table->entry->mdb->fmt->pg_size;
    case MDB_BINARY:
    case MDB_OLE:
        return inRow;
    default:
        return definitionHoldsTogether(table, column);
    }
}

std::optional<std::string_view> extraText(const ExtraField& extra, const MdbField& field,
                                          std::string& scratch)
{
    if (!extra.bound) {
        scratch = std::to_string(std::max(field.siz, 0)) + " bytes";
        return scratch;
    }
    const BoundField& bound = *extra.bound;
    if (!fitsItsBuffer(bound))
        return std::nullopt;
    if (extra.column->col_type == MDB_BOOL)
        return textOf(bound, field, scratch) == "1" ? "Yes" : "No";
    if (const std::string_view text = nameOf(bound, field, scratch); text.data() != scratch.data())
        scratch.assign(text);
    // A note may run over several lines: one line here.
    std::replace_if(
        scratch.begin(), scratch.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; },
        ' ');
    if (!isPlausibleName(scratch))
        return std::nullopt;
    return scratch;
}

} // namespace vf::reader
