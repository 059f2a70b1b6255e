#include "TableCopy.h"

#include "RowChecks.h"
#include "TurnFileReader.h"
#include "protocol/ValueConversion.h"

#include <algorithm>
#include <stdexcept>

namespace vf::reader {

namespace {

std::vector<BoundField> bindFields(MdbTableDef* table, const Table& wanted)
{
    std::vector<BoundField> bound(wanted.fields.size());
    for (std::size_t f = 0; f < wanted.fields.size(); ++f) {
        const std::string name(wanted.fields[f].name);
        for (unsigned c = 0; c < table->num_cols; ++c) {
            auto* column = columnAt(table, c);
            if (g_ascii_strcasecmp(column->name, name.c_str()) == 0) {
                bound[f].column = column;
                bound[f].columnIndex = static_cast<int>(c);
            }
        }
        if (!bound[f].column)
            throw UnusableFile("the table " + quotedName(wanted.name) + " has no field " +
                               quotedName(name));
        if (!definitionHoldsTogether(table, bound[f].column))
            throw UnusableFile("the field " + quotedName(name) + " of the table " +
                               quotedName(wanted.name) +
                               " cannot be read (its definition in the file is damaged)");
    }
    for (auto& field : bound) {
        if (!bindField(table, field))
            throw std::runtime_error("a field of " + quotedName(wanted.name) + " cannot be read");
    }
    return bound;
}

// libmdb writes the same empty text for a field without a value and for an empty text;
// the row's null mask tells them apart. A value whose end lies before its start is damage
// libmdb passes over as an empty text.
// A column whose number lies past the row's own count of columns would have its null flag
// read from outside the row.
// Returns the row's own count of columns.
int crackRow(MdbTableDef* table, const RowShape& shape, const std::vector<BoundField>& bound,
             std::vector<MdbField>& fields)
{
    int start = 0;
    std::size_t size = 0;
    int rowColumns = -1;
    MdbHandle* handle = table->entry->mdb;
    if (table->cur_row == 0 ||
        mdb_find_row(handle, static_cast<int>(table->cur_row) - 1, &start, &size) != 0)
        throw std::runtime_error("a row of " + quotedName(table->name) + " cannot be read");
    if (!IS_JET3(handle) && !rowHoldsTogether(handle, shape, start & kOffsetMask, size))
        throw UnusableFile("a row of the table " + quotedName(table->name) +
                           " is damaged (its layout is wrong)");
    if ((rowColumns = mdb_crack_row(table, start & kOffsetMask, size, fields.data())) < 0)
        throw std::runtime_error("a row of " + quotedName(table->name) + " cannot be read");
    bool damaged = false;
    for (unsigned c = 0; c < table->num_cols; ++c)
        damaged = damaged || (!fields[c].is_null && fields[c].siz < 0);
    for (const BoundField& field : bound)
        damaged = damaged || field.column->col_num >= rowColumns;
    if (damaged)
        throw UnusableFile("a row of the table " + quotedName(table->name) + " is damaged");
    return rowColumns;
}

// A long text (memo) whose pages cannot be read comes back empty or short without a word:
// the length the row declares for it tells. The file holds a text in two bytes a letter,
// or in one with a two-byte mark before (a letter of the text is at least one byte of
// UTF-8, at most three of the file's bytes with the switches between the two ways).
void checkLongTexts(const Table& wanted, const std::vector<BoundField>& bound,
                    const std::vector<MdbField>& fields)
{
    constexpr int kLengthMask = 0x3fffffff;
    for (std::size_t f = 0; f < bound.size(); ++f) {
        const MdbField& field = fields[static_cast<std::size_t>(bound[f].columnIndex)];
        if (bound[f].column->col_type != MDB_MEMO || field.is_null || field.siz < 4)
            continue;
        const long declared = mdb_get_int32(field.value, 0) & kLengthMask;
        constexpr long kMark = 2;
        constexpr long kMostFileBytesPerLetter = 3;
        if (declared > 0 && long(bound[f].length) * kMostFileBytesPerLetter + kMark < declared)
            throw UnusableFile("a long text in the field " + quotedName(wanted.fields[f].name) +
                               " of the table " + quotedName(wanted.name) +
                               " cannot be read (the file is damaged)");
    }
}

// Writes one value as the kind its field is stored as.
void writeValue(FrameWriter& out, const Table& wanted, std::size_t f, const BoundField& bound,
                const MdbField& value, std::string& scratch)
{
    const Field& field = wanted.fields[f];
    if (!fitsItsBuffer(bound))
        throw UnusableFile("a value of the field " + quotedName(field.name) + " in the table " +
                           quotedName(wanted.name) + " is too long");
    if (field.kind != FieldKind::WholeNumber) {
        const std::string_view text = nameOf(bound, value, scratch);
        if (field.kind == FieldKind::Text && !isPlausibleName(text))
            throw UnusableFile("a value of the field " + quotedName(field.name) + " in the table " +
                               quotedName(wanted.name) +
                               " is damaged (it holds characters no name has)");
        out.text(text);
        return;
    }
    const auto identifier = identifierOf(bound, value, scratch);
    if (!identifier)
        throw UnusableFile("the field " + quotedName(field.name) + " of the table " +
                           quotedName(wanted.name) + " holds a value that is not a whole number");
    out.wholeNumber(*identifier);
}

} // namespace

TableCopy::TableCopy(const Table& wanted, TablePtr table, bool withExtras)
    : m_wanted(wanted)
    , m_table(std::move(table))
    , m_bound(bindFields(m_table.get(), wanted))
{
    if (withExtras)
        bindExtras();
}

void TableCopy::bindExtras()
{
    MdbTableDef* table = m_table.get();
    m_extraBuffers.reserve(table->num_cols);
    for (unsigned c = 0; c < table->num_cols && m_extras.size() < kMostExtraFields; ++c) {
        auto* column = columnAt(table, c);
        const bool copied =
            std::any_of(m_bound.begin(), m_bound.end(),
                        [column](const BoundField& field) { return field.column == column; });
        if (copied || !isShowable(table, column))
            continue;
        ExtraField extra{column->name, column, static_cast<int>(c), nullptr};
        if (column->col_type != MDB_BINARY && column->col_type != MDB_OLE) {
            BoundField& bound = m_extraBuffers.emplace_back();
            bound.column = column;
            bound.columnIndex = extra.columnIndex;
            if (!bindField(table, bound))
                continue;
            extra.bound = &bound;
        }
        m_extras.push_back(std::move(extra));
    }
}

// A field the row itself does not count (added to the table after the row was written)
// has no value in it.
void TableCopy::writeExtras(FrameWriter& out, const std::vector<MdbField>& fields, int rowColumns,
                            std::string& scratch) const
{
    for (const ExtraField& extra : m_extras) {
        const MdbField& field = fields[static_cast<std::size_t>(extra.columnIndex)];
        const bool inRow = extra.column->col_num < rowColumns;
        const auto text = !inRow || (field.is_null && extra.column->col_type != MDB_BOOL)
                              ? std::nullopt
                              : extraText(extra, field, scratch);
        if (text)
            out.text(*text);
        else
            out.noValue();
    }
}

std::int64_t TableCopy::copyTo(FrameWriter& out, int index)
{
    const Table& wanted = m_wanted;
    MdbTableDef* table = m_table.get();
    std::vector<MdbField> fields(MDB_MAX_COLS);
    std::string scratch; // each value read by the reader itself, in turn
    const RowShape shape = rowShapeOf(table);
    out.table(index);
    if (!m_extras.empty()) {
        std::vector<std::string> names;
        for (const ExtraField& extra : m_extras)
            names.push_back(extra.name);
        out.extraFields(names);
    }
    mdb_rewind_table(table);
    std::int64_t rows = 0;
    while (mdb_fetch_row(table)) {
        const int rowColumns = crackRow(table, shape, m_bound, fields);
        checkLongTexts(wanted, m_bound, fields);
        out.row();
        for (std::size_t f = 0; f < m_bound.size(); ++f) {
            const BoundField& field = m_bound[f];
            const MdbField& value = fields[static_cast<std::size_t>(field.columnIndex)];
            if (value.is_null && field.column->col_type != MDB_BOOL)
                out.noValue();
            else
                writeValue(out, wanted, f, field, value, scratch);
        }
        writeExtras(out, fields, rowColumns, scratch);
        ++rows;
    }
    // A damaged page is skipped by libmdb without a word; its rows are then missing.
    if (rows != static_cast<std::int64_t>(table->num_rows))
        throw UnusableFile("the table " + quotedName(wanted.name) +
                           " is damaged (its definition counts " + std::to_string(table->num_rows) +
                           " rows, " + std::to_string(rows) + " could be read)");
    return rows;
}

} // namespace vf::reader
