#include "RowChecks.h"

#include <algorithm>
#include <array>
#include <optional>

namespace vf::reader {

RowShape rowShapeOf(const MdbTableDef* table)
{
    RowShape shape;
    shape.mostColumns = table->num_cols;
    shape.mostVariableColumns = table->num_var_cols;
    for (unsigned c = 0; c < table->num_cols; ++c) {
        const MdbColumn* column = columnAt(table, c);
        // A column deleted from the definition stays counted in the rows written before.
        shape.mostColumns = std::max(shape.mostColumns, unsigned(column->row_col_num) + 1);
        if (column->is_fixed)
            shape.fixedColumns.push_back(column);
        else
            shape.mostVariableColumns =
                std::max(shape.mostVariableColumns, column->var_col_num + 1);
        if (column->col_type == MDB_TEXT)
            shape.textColumns.push_back(column);
    }
    shape.noGaps =
        shape.mostColumns == table->num_cols && shape.mostVariableColumns == table->num_var_cols;
    return shape;
}

namespace {

// A row's bytes on its page.
class RowBytes {
public:
    RowBytes(const MdbHandle* mdb, int start, std::size_t size)
        : page(static_cast<const unsigned char*>(mdb->pg_buf))
        , first(static_cast<std::size_t>(start))
        , last(first + size - 1)
        , size(size)
    {
    }
    unsigned int16At(std::size_t at) const
    {
        return static_cast<unsigned>(page[at] | (page[at + 1] << 8));
    }

    const unsigned char* page;
    std::size_t first;
    std::size_t last;
    std::size_t size;
};

// What the end of a row says of its variable-length values: how many, and where each starts
// (and, after the last, where they end), relative to the row's start.
struct VariableValues {
    unsigned count = 0;
    std::size_t offsetTable = 0; // where the table of offsets begins on the page
    std::array<unsigned, MDB_MAX_COLS + 1> offsets{};
};

std::optional<VariableValues> variableValuesOf(const RowBytes& row, const RowShape& shape,
                                               unsigned columns, std::size_t maskSize)
{
    if (maskSize + 2 + 2 > row.size)
        return std::nullopt;
    VariableValues values;
    values.count = row.int16At(row.last - maskSize - 1);
    if (values.count > columns || values.count > shape.mostVariableColumns ||
        values.count > MDB_MAX_COLS ||
        maskSize + 2 + 2 * (std::size_t(values.count) + 1) + 2 > row.size)
        return std::nullopt;
    values.offsetTable = row.last - maskSize - 2 - 2 * (std::size_t(values.count) + 1) + 1;
    for (unsigned i = 0; i <= values.count; ++i)
        values.offsets[i] = row.int16At(row.last - maskSize - 3 - 2 * i);
    return values;
}

// Where the fixed values of the row end, relative to its start; nothing when one of them lies
// past the first variable-length value.
std::optional<unsigned> endOfFixedValues(const RowShape& shape, unsigned fixedInRow,
                                         unsigned firstVariable)
{
    unsigned end = 2; // after the count of columns
    for (std::size_t f = 0; f < shape.fixedColumns.size() && f < fixedInRow; ++f) {
        const MdbColumn* column = shape.fixedColumns[f];
        end = std::max(end, 2 + unsigned(column->fixed_offset) + unsigned(column->col_size));
    }
    if (end > firstVariable)
        return std::nullopt;
    return end;
}

// The variable-length values follow one another from the end of the fixed values to the table
// of offsets, with no byte between or over: a value moved or cut short shows here.
bool valuesTile(const RowBytes& row, const RowShape& shape, const VariableValues& values,
                unsigned fixedInRow)
{
    for (unsigned i = 0; i < values.count; ++i) {
        if (values.offsets[i] > values.offsets[i + 1])
            return false;
    }
    if (row.first + values.offsets[values.count] != values.offsetTable)
        return false;
    const auto fixedEnd = endOfFixedValues(shape, fixedInRow, values.offsets[0]);
    // (Where a column was deleted from the definition, its bytes may still lie between.)
    return fixedEnd && (values.offsets[0] == *fixedEnd || !shape.noGaps);
}

// Each text fits its column and is whole letters: two bytes a letter, or after the mark FF FE
// one byte a letter with zero bytes switching between the two ways.
bool textsAreWhole(const RowBytes& row, const RowShape& shape, const VariableValues& values)
{
    for (const MdbColumn* column : shape.textColumns) {
        if (column->var_col_num >= values.count)
            continue;
        const unsigned from = values.offsets[column->var_col_num];
        const unsigned length = values.offsets[column->var_col_num + 1] - from;
        const bool compressed = length >= 2 && row.page[row.first + from] == 0xFF &&
                                row.page[row.first + from + 1] == 0xFE;
        if (length > unsigned(column->col_size) || (!compressed && length % 2 != 0))
            return false;
    }
    return true;
}

} // namespace

bool rowHoldsTogether(const MdbHandle* mdb, const RowShape& shape, int start, std::size_t size)
{
    const std::size_t rowTable = mdb->fmt->row_count_offset;
    const RowBytes row(mdb, start, std::max<std::size_t>(size, 1));
    if (row.first < rowTable + 2 + 2 * std::size_t(row.int16At(rowTable)) || size < 4)
        return false;
    const unsigned columns = row.int16At(row.first);
    if (columns == 0 || columns > shape.mostColumns)
        return false;
    const std::size_t maskSize = (columns + 7) / 8;
    // Bits past the row's count of columns are never set.
    if (columns % 8 != 0 && (row.page[row.last] >> (columns % 8)) != 0)
        return false;
    if (shape.mostVariableColumns == 0)
        return maskSize + 2 <= size;
    const auto values = variableValuesOf(row, shape, columns, maskSize);
    return values && valuesTile(row, shape, *values, columns - values->count) &&
           textsAreWhole(row, shape, *values);
}

} // namespace vf::reader
