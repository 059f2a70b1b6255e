#include "TurnFileReader.h"

#include "protocol/ImportedTables.h"
#include "protocol/ReaderProtocol.h"
#include "protocol/ValueConversion.h"

// Debian's mdbtools.h includes glib.h inside extern "C"; glib must then come first for C++.
// A libmdb built with its own small glib stand-in (Windows) has no glib.h.
#if __has_include(<glib.h>)
#include <glib.h>
#endif

#include <mdbtools.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vf::reader {

namespace {

constexpr std::size_t kBindSize = 256 * 1024;
constexpr int kOffsetMask = 0x1fff;

struct HandleCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using HandlePtr = std::unique_ptr<MdbHandle, HandleCloser>;
using TablePtr = std::unique_ptr<MdbTableDef, TableFreer>;

std::string quotedName(std::string_view name)
{
    return "\"" + std::string(name) + "\"";
}

const char* const kPagesDamaged = "it is damaged (a table's list of its pages is wrong)";

const char* const kDefinitionDamaged = "it is damaged (a table's definition is wrong)";

// Kinds of pages, by their first byte.
constexpr unsigned char kDataPage = 0x01;
constexpr unsigned char kDefinitionPage = 0x02;
constexpr unsigned char kUsageMapPage = 0x05;
constexpr int kOwnerOffset = 4;

std::uint32_t uint32At(const unsigned char* bytes)
{
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t(bytes[3]) << 24);
}

// The catalogue itself: a table whose definition always sits on page 2.
constexpr unsigned long kCatalogueDefinitionPage = 2;

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

bool isRealType(int type)
{
    return type == MDB_FLOAT || type == MDB_DOUBLE || type == MDB_MONEY || type == MDB_NUMERIC;
}

bool isWholeNumberType(int type)
{
    return type == MDB_BYTE || type == MDB_INT || type == MDB_LONGINT;
}

// Binds the field's column to its buffer, unless the reader reads its values itself. False
// when libmdb refuses the column.
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

// A value libmdb wrote longer than its buffer holds is cut short.
bool fitsItsBuffer(const BoundField& bound)
{
    return bound.readHere() || static_cast<std::size_t>(bound.length) < kBindSize - 1;
}

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

// A column the import needs must be a number or a text, and its definition must hold
// together: a damaged definition makes libmdb read the whole column as no value, without
// a word.
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

// The value as a name shows it (a number in plain decimal), in scratch or libmdb's buffer.
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

// A further field of a turn results table, beyond those the import copies: shown to the
// player as text. Binary data is not bound (its size is all that is shown).
struct ExtraField {
    std::string name;
    MdbColumn* column = nullptr;
    int columnIndex = 0;
    BoundField* bound = nullptr; // nothing for binary data
};

// Whether a further field can be shown: a number, a text, a yes/no, a date or binary data,
// whose definition holds together. Any other is left out, never a reason to refuse the file.
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

// A further field's value as the player reads it, in scratch; nothing when it cannot be read
// as text.
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

// The shape of a table's rows as its definition lays them out: how many columns a row may
// count, how many of them of variable length, and where each fixed column's bytes lie.
struct RowShape {
    unsigned mostColumns = 0;
    unsigned mostVariableColumns = 0;
    std::vector<const MdbColumn*> fixedColumns; // in the order rows hold them
    std::vector<const MdbColumn*> textColumns;
};

RowShape rowShapeOf(const MdbTableDef* table)
{
    RowShape shape;
    shape.mostColumns = table->num_cols;
    shape.mostVariableColumns = table->num_var_cols;
    for (unsigned c = 0; c < table->num_cols; ++c) {
        const auto* column = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, c));
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
    return shape;
}

// Whether a row (of an Access 2000 file) holds together as the format lays it out, before any
// of its values is trusted (libmdb does not look): from the end back, a mask of the columns
// that have values, the count of variable-length columns, their offsets and the offset of
// their end, last first; from the start, the count of columns and the fixed-length values.
// The row must lie past the page's table of rows; the counts must fit the table's
// definition; the offsets must rise and stay between the fixed values and the table of
// offsets; a text must fit its column and be whole letters.
bool rowHoldsTogether(const MdbHandle* mdb, const RowShape& shape, int start, std::size_t size)
{
    const auto* page = static_cast<const unsigned char*>(mdb->pg_buf);
    const auto int16At = [page](std::size_t at) {
        return static_cast<unsigned>(page[at] | (page[at + 1] << 8));
    };
    const std::size_t rowTable = mdb->fmt->row_count_offset;
    const std::size_t rowsOnPage = int16At(rowTable);
    const auto first = static_cast<std::size_t>(start);
    if (first < rowTable + 2 + 2 * rowsOnPage || size < 4)
        return false;
    const std::size_t last = first + size - 1;
    const unsigned columns = int16At(first);
    if (columns == 0 || columns > shape.mostColumns)
        return false;
    const std::size_t maskSize = (columns + 7) / 8;
    // Bits past the row's count of columns are never set.
    if (columns % 8 != 0 && (page[last] >> (columns % 8)) != 0)
        return false;
    if (shape.mostVariableColumns == 0)
        return maskSize + 2 <= size;
    if (maskSize + 2 + 2 > size)
        return false;
    const unsigned variable = int16At(last - maskSize - 1);
    if (variable > columns || variable > shape.mostVariableColumns || variable > MDB_MAX_COLS ||
        maskSize + 2 + 2 * (std::size_t(variable) + 1) + 2 > size)
        return false;
    const std::size_t offsetTable = last - maskSize - 2 - 2 * (std::size_t(variable) + 1) + 1;
    std::array<unsigned, MDB_MAX_COLS + 1> offsets{};
    for (unsigned i = 0; i <= variable; ++i)
        offsets[i] = int16At(last - maskSize - 3 - 2 * i);
    if (first + offsets[variable] > offsetTable)
        return false;
    for (unsigned i = 0; i < variable; ++i) {
        if (offsets[i] > offsets[i + 1])
            return false;
    }
    // The fixed values lie between the count of columns and the first variable one.
    const unsigned fixedInRow = columns - variable;
    for (std::size_t f = 0; f < shape.fixedColumns.size() && f < fixedInRow; ++f) {
        const MdbColumn* column = shape.fixedColumns[f];
        if (2 + unsigned(column->fixed_offset) + unsigned(column->col_size) > offsets[0])
            return false;
    }
    for (const MdbColumn* column : shape.textColumns) {
        if (column->var_col_num >= variable)
            continue;
        const unsigned from = offsets[column->var_col_num];
        const unsigned length = offsets[column->var_col_num + 1] - from;
        const bool compressed =
            length >= 2 && page[first + from] == 0xFF && page[first + from + 1] == 0xFE;
        if (length > unsigned(column->col_size) || (!compressed && length % 2 != 0))
            return false;
    }
    return true;
}

} // namespace

struct TurnFileReader::Impl {
    HandlePtr mdb;
    std::uint64_t pageCount = 0;

    // Every page the catalogue and the table definitions point to must be inside the file.
    void checkPage(std::uint64_t page) const
    {
        if (page >= pageCount)
            throw UnusableFile(kPointsPastItsEnd);
    }

    // The definition may go on over further pages, and points to the rows holding its maps
    // of used and free pages; those lie on data pages.
    void checkDefinitionPages(unsigned long definitionPage) const
    {
        MdbHandle* handle = mdb.get();
        readDefinitionPage(definitionPage);
        for (const guint16 offset :
             {handle->fmt->tab_usage_map_offset, handle->fmt->tab_free_map_offset}) {
            const auto pageRow = static_cast<guint32>(mdb_get_int32(handle->pg_buf, offset));
            checkPage(pageRow >> 8);
            if (glance(pageRow >> 8).first != kDataPage)
                throw UnusableFile(kDefinitionDamaged);
        }
        constexpr int kNextPageOffset = 4;
        for (std::uint64_t seen = 0; seen < pageCount; ++seen) {
            const auto page = static_cast<guint32>(mdb_get_int32(handle->pg_buf, kNextPageOffset));
            if (page == 0)
                return;
            readDefinitionPage(page);
        }
        throw UnusableFile(kDefinitionDamaged);
    }

    void readDefinitionPage(unsigned long page) const
    {
        MdbHandle* handle = mdb.get();
        checkPage(page);
        if (mdb_read_pg(handle, page) != handle->fmt->pg_size)
            throw UnusableFile(kPointsPastItsEnd);
        if (handle->pg_buf[0] != kDefinitionPage)
            throw UnusableFile(kDefinitionDamaged);
    }

    // Each page's kind and, for a data page, the definition page of the table it belongs to,
    // read in one pass over the file before anything relies on them (a read of every page
    // through libmdb costs three calls to the system a page), and the pages of the usage maps
    // that take more than a row, whole.
    std::vector<std::pair<unsigned char, std::uint32_t>> pageHeads;
    std::unordered_map<std::uint32_t, std::vector<unsigned char>> usageMapPages;

    void readPageHeads(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        const auto pageSize = static_cast<std::size_t>(mdb->fmt->pg_size);
        constexpr std::size_t kPagesAtOnce = 256;
        std::vector<char> chunk(pageSize * kPagesAtOnce);
        pageHeads.reserve(pageCount);
        while (pageHeads.size() < pageCount && file) {
            file.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            const auto pages = static_cast<std::size_t>(file.gcount()) / pageSize;
            for (std::size_t p = 0; p < pages; ++p) {
                const auto* head = reinterpret_cast<const unsigned char*>(&chunk[p * pageSize]);
                if (head[0] == kUsageMapPage)
                    usageMapPages.emplace(static_cast<std::uint32_t>(pageHeads.size()),
                                          std::vector<unsigned char>(head, head + pageSize));
                pageHeads.emplace_back(head[0], uint32At(head + kOwnerOffset));
            }
        }
        if (pageHeads.size() != pageCount)
            throw std::runtime_error("the file cannot be read");
    }

    std::pair<unsigned char, unsigned long> glance(unsigned long page) const
    {
        checkPage(page);
        return pageHeads[page];
    }

    // Calls visit with each page a usage map marks, in rising order, as libmdb walks it: a map
    // in the row itself (kind 0: the first page, then one bit a page), or a list of pages of
    // bitmaps (kind 1: each bitmap after a page's four first bytes, for pages in turn). Page 0
    // (the file's header) is never one.
    void walkUsageMap(const unsigned char* map, std::size_t size,
                      const std::function<void(std::uint64_t)>& visit) const
    {
        const auto visitBits = [&](const unsigned char* bits, std::size_t bytes,
                                   std::uint64_t firstPage) {
            for (std::size_t i = 0; i < bytes; ++i) {
                for (int bit = 0; bits[i] != 0 && bit < 8; ++bit) {
                    const std::uint64_t page = firstPage + i * 8 + unsigned(bit);
                    if ((bits[i] & (1 << bit)) != 0 && page != 0)
                        visit(page);
                }
            }
        };
        constexpr std::size_t kPageListStart = 1;
        if (map[0] == 0) {
            constexpr std::size_t kBitsStart = 5;
            if (size >= kBitsStart)
                visitBits(map + kBitsStart, size - kBitsStart, uint32At(map + kPageListStart));
            return;
        }
        if (map[0] != 1)
            throw UnusableFile(kPagesDamaged);
        const auto pageSize = static_cast<std::size_t>(mdb->fmt->pg_size);
        constexpr std::size_t kBitmapStart = 4;
        const std::uint64_t pagesPerBitmap = (pageSize - kBitmapStart) * 8;
        for (std::size_t at = kPageListStart, index = 0; at + 4 <= size; at += 4, ++index) {
            const std::uint32_t mapPage = uint32At(map + at);
            if (mapPage == 0)
                continue;
            if (mapPage >= pageCount)
                throw UnusableFile(kPointsPastItsEnd);
            const auto bitmap = usageMapPages.find(mapPage);
            if (bitmap == usageMapPages.end())
                throw UnusableFile(kPagesDamaged);
            visitBits(bitmap->second.data() + kBitmapStart, pageSize - kBitmapStart,
                      index * pagesPerBitmap);
        }
    }

    // Every page a table's usage map names must be in the file and be one of its data pages.
    void checkDataPages(MdbTableDef* table, unsigned long definitionPage) const
    {
        if (table->map_sz < 1 || !table->usage_map)
            return;
        bool pastTheEnd = false;
        walkUsageMap(
            table->usage_map, static_cast<std::size_t>(table->map_sz), [&](std::uint64_t page) {
                if (page >= pageCount)
                    pastTheEnd = true;
                else if (pageHeads[page] !=
                         std::pair<unsigned char, std::uint32_t>(kDataPage, definitionPage))
                    throw UnusableFile(kPagesDamaged);
            });
        if (pastTheEnd)
            throw UnusableFile(kPointsPastItsEnd);
    }

    // Reads the catalogue table whole before anything relies on it: its pages must be in the
    // file and it must yield every row its definition counts.
    void checkCatalogue()
    {
        MdbCatalogEntry catalogue{};
        catalogue.mdb = mdb.get();
        catalogue.object_type = MDB_TABLE;
        catalogue.table_pg = kCatalogueDefinitionPage;
        checkDefinitionPages(catalogue.table_pg);
        TablePtr table(mdb_read_table(&catalogue));
        if (!table || !mdb_read_columns(table.get()))
            throw std::runtime_error("its list of tables cannot be read");
        checkDataPages(table.get(), catalogue.table_pg);
        mdb_rewind_table(table.get());
        unsigned rows = 0;
        while (mdb_fetch_row(table.get()))
            ++rows;
        if (rows != table->num_rows)
            throw std::runtime_error("its list of tables is damaged");
    }

    TablePtr openTable(std::string_view name)
    {
        MdbCatalogEntry* entry = mdb_get_catalogentry_by_name(mdb.get(), std::string(name).c_str());
        if (!entry || entry->object_type != MDB_TABLE)
            throw UnusableFile("the table " + quotedName(name) + " is missing");
        checkDefinitionPages(entry->table_pg);
        TablePtr table(mdb_read_table(entry));
        if (!table || !mdb_read_columns(table.get()))
            throw std::runtime_error("the table " + quotedName(name) + " cannot be read");
        checkDataPages(table.get(), entry->table_pg);
        return table;
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

    std::vector<BoundField> bindFields(MdbTableDef* table, const Table& wanted)
    {
        std::vector<BoundField> bound(wanted.fields.size());
        for (std::size_t f = 0; f < wanted.fields.size(); ++f) {
            const std::string name(wanted.fields[f].name);
            for (unsigned c = 0; c < table->num_cols; ++c) {
                auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
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
                throw std::runtime_error("a field of " + quotedName(wanted.name) +
                                         " cannot be read");
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
    static void checkLongTexts(const Table& wanted, const std::vector<BoundField>& bound,
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

    // One table of the import, read and bound once.
    struct OpenTable {
        const Table* wanted = nullptr;
        TablePtr table;
        std::vector<BoundField> bound;
        std::vector<BoundField> extraBuffers; // never resized once bound
        std::vector<ExtraField> extras;
    };

    OpenTable open(const Table& wanted, bool withExtras)
    {
        OpenTable open{&wanted, openTable(wanted.name), {}, {}, {}};
        open.bound = bindFields(open.table.get(), wanted);
        if (withExtras)
            bindExtras(open);
        return open;
    }

    // The table's further fields, in the file's order, bound where they are read as text.
    static void bindExtras(OpenTable& open)
    {
        MdbTableDef* table = open.table.get();
        open.extraBuffers.reserve(table->num_cols);
        for (unsigned c = 0; c < table->num_cols && open.extras.size() < kMostExtraFields; ++c) {
            auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
            const bool copied =
                std::any_of(open.bound.begin(), open.bound.end(),
                            [column](const BoundField& field) { return field.column == column; });
            if (copied || !isShowable(table, column))
                continue;
            ExtraField extra{column->name, column, static_cast<int>(c), nullptr};
            if (column->col_type != MDB_BINARY && column->col_type != MDB_OLE) {
                BoundField& bound = open.extraBuffers.emplace_back();
                bound.column = column;
                bound.columnIndex = extra.columnIndex;
                if (!bindField(table, bound))
                    continue;
                extra.bound = &bound;
            }
            open.extras.push_back(std::move(extra));
        }
    }

    // A field the row itself does not count (added to the table after the row was written)
    // has no value in it.
    static void writeExtras(FrameWriter& out, const OpenTable& open,
                            const std::vector<MdbField>& fields, int rowColumns,
                            std::string& scratch)
    {
        for (const ExtraField& extra : open.extras) {
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

    // Writes one value as the kind its field is stored as.
    static void writeValue(FrameWriter& out, const Table& wanted, std::size_t f,
                           const BoundField& bound, const MdbField& value, std::string& scratch)
    {
        const Field& field = wanted.fields[f];
        if (!fitsItsBuffer(bound))
            throw UnusableFile("a value of the field " + quotedName(field.name) + " in the table " +
                               quotedName(wanted.name) + " is too long");
        if (field.kind != FieldKind::WholeNumber) {
            const std::string_view text = nameOf(bound, value, scratch);
            if (field.kind == FieldKind::Text && !isPlausibleName(text))
                throw UnusableFile("a value of the field " + quotedName(field.name) +
                                   " in the table " + quotedName(wanted.name) +
                                   " is damaged (it holds characters no name has)");
            out.text(text);
            return;
        }
        const auto identifier = identifierOf(bound, value, scratch);
        if (!identifier)
            throw UnusableFile("the field " + quotedName(field.name) + " of the table " +
                               quotedName(wanted.name) +
                               " holds a value that is not a whole number");
        out.wholeNumber(*identifier);
    }

    std::int64_t copyTable(OpenTable& open, int index, FrameWriter& out)
    {
        const Table& wanted = *open.wanted;
        MdbTableDef* table = open.table.get();
        std::vector<MdbField> fields(MDB_MAX_COLS);
        std::string scratch; // each value read by the reader itself, in turn
        const RowShape shape = rowShapeOf(table);
        out.table(index);
        if (!open.extras.empty()) {
            std::vector<std::string> names;
            for (const ExtraField& extra : open.extras)
                names.push_back(extra.name);
            out.extraFields(names);
        }
        mdb_rewind_table(table);
        std::int64_t rows = 0;
        while (mdb_fetch_row(table)) {
            const int rowColumns = crackRow(table, shape, open.bound, fields);
            checkLongTexts(wanted, open.bound, fields);
            out.row();
            for (std::size_t f = 0; f < open.bound.size(); ++f) {
                const BoundField& field = open.bound[f];
                const MdbField& value = fields[static_cast<std::size_t>(field.columnIndex)];
                if (value.is_null && field.column->col_type != MDB_BOOL)
                    out.noValue();
                else
                    writeValue(out, wanted, f, field, value, scratch);
            }
            writeExtras(out, open, fields, rowColumns, scratch);
            ++rows;
        }
        // A damaged page is skipped by libmdb without a word; its rows are then missing.
        if (rows != static_cast<std::int64_t>(table->num_rows))
            throw UnusableFile("the table " + quotedName(wanted.name) +
                               " is damaged (its definition counts " +
                               std::to_string(table->num_rows) + " rows, " + std::to_string(rows) +
                               " could be read)");
        return rows;
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
    m_impl->pageCount = size / pageSize;
    m_impl->readPageHeads(path);
    mdb_set_bind_size(m_impl->mdb.get(), kBindSize);
    mdb_set_date_fmt(m_impl->mdb.get(), "%Y-%m-%d %H:%M:%S");
    mdb_set_boolean_fmt_numbers(m_impl->mdb.get());
    m_impl->checkCatalogue();
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
    std::vector<Impl::OpenTable> tables;
    tables.reserve(wanted.size());
    for (const Table& table : wanted)
        tables.push_back(m_impl->open(table, m_kind == Kind::TurnResults));
    if (m_kind == Kind::TurnResults)
        m_impl->checkEmpires();
    std::int64_t rows = 0;
    for (std::size_t t = 0; t < tables.size(); ++t)
        rows += m_impl->copyTable(tables[t], static_cast<int>(t), out);
    return rows;
}

} // namespace vf::reader
