#include "ImportWriter.h"

#include "Error.h"
#include "platform/WholeFile.h"
#include "protocol/ImportedTables.h"
#include "protocol/ReaderProtocol.h"
#include "protocol/ValueConversion.h"
#include "store/Store.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <sqlite3.h>

#include <algorithm>

namespace vf {

namespace {

QString nameOf(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

constexpr qint64 kLongestText = 64 * 1024 * 1024;

} // namespace

// Reads little-endian numbers and texts from the bytes taken so far.
class ImportWriter::Cursor {
public:
    explicit Cursor(const QByteArray& bytes)
        : m_data(bytes.constData())
        , m_size(bytes.size())
    {
    }
    qsizetype position() const { return m_at; }
    void rewindTo(qsizetype position) { m_at = position; }
    bool has(qint64 count) const { return count >= 0 && m_size - m_at >= count; }
    char byte() { return m_data[m_at++]; }
    quint64 number(int bytes)
    {
        quint64 value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= quint64(static_cast<unsigned char>(m_data[m_at + i])) << (8 * i);
        m_at += bytes;
        return value;
    }
    const char* skip(qint64 count)
    {
        const char* start = m_data + m_at;
        m_at += count;
        return start;
    }

private:
    const char* m_data;
    qsizetype m_size;
    qsizetype m_at = 0;
};

ImportWriter::ImportWriter(const Store& store, std::span<const reader::Table> tables,
                           KeepEmpire keep)
    : m_db(store.handle())
    , m_tables(tables)
    , m_keep(std::move(keep))
    , m_stored(qsizetype(tables.size()), 0)
{
    for (const auto& table : m_tables) {
        QStringList fields;
        QStringList marks;
        for (const auto& field : table.fields) {
            fields << Store::quoted(nameOf(field.name));
            marks << QStringLiteral("?");
        }
        const bool keepsMore = reader::isImportedTable(table.name);
        m_moreColumn.push_back(keepsMore ? int(fields.size()) + 1 : 0);
        if (keepsMore) {
            fields << QString::fromLatin1(reader::kMoreField);
            marks << QStringLiteral("?");
        }
        m_extraNames << QStringList();
        const QByteArray sql =
            QStringLiteral("INSERT INTO main.%1 (%2) VALUES (%3)")
                .arg(Store::quoted(nameOf(table.name)), fields.join(QStringLiteral(", ")),
                     marks.join(QStringLiteral(", ")))
                .toUtf8();
        sqlite3_stmt* insert = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &insert, nullptr) != SQLITE_OK) {
            sqlite3_finalize(insert);
            for (sqlite3_stmt* prepared : m_inserts)
                sqlite3_finalize(prepared);
            throw Error(QStringLiteral("the imported tables cannot be written (%1)")
                            .arg(QString::fromUtf8(sqlite3_errmsg(m_db))));
        }
        m_inserts.push_back(insert);
    }
}

ImportWriter::~ImportWriter()
{
    for (sqlite3_stmt* insert : m_inserts)
        sqlite3_finalize(insert);
}

bool ImportWriter::take(const QByteArray& bytes)
{
    if (!m_error.isEmpty())
        return false;
    m_pending += bytes;
    Cursor at(m_pending);
    while (at.has(1)) {
        const qsizetype frameStart = at.position();
        if (!takeFrame(at)) {
            at.rewindTo(frameStart);
            break;
        }
        if (!m_error.isEmpty())
            return false;
    }
    m_pending.remove(0, at.position());
    return true;
}

bool ImportWriter::takeFrame(Cursor& at)
{
    if (m_finished)
        return fail(QStringLiteral("the reader wrote past its end"));
    switch (at.byte()) {
    case reader::kTableFrame: {
        if (!at.has(1))
            return false;
        const int table = static_cast<unsigned char>(at.byte());
        if (table != m_table + 1 || table >= int(m_tables.size()))
            return fail(QStringLiteral("the reader's tables came out of order"));
        m_table = table;
        m_rowsBeforeTable = m_rows;
        return true;
    }
    case reader::kExtraFrame:
        if (m_table < 0 || m_rows != m_rowsBeforeTable || !m_extraNames[m_table].isEmpty() ||
            m_moreColumn[std::size_t(m_table)] == 0)
            return fail(QStringLiteral("the reader's output is malformed"));
        return takeExtraNames(at);
    case reader::kRowFrame:
        if (m_table < 0)
            return fail(QStringLiteral("the reader wrote a row before its table"));
        return takeRow(at);
    case reader::kUnreadFrame:
        if (m_table != int(m_tables.size()) - 1)
            return fail(QStringLiteral("the reader's output is malformed"));
        return takeUnread(at);
    case reader::kEndFrame:
        return takeEnd(at);
    default:
        return fail(QStringLiteral("the reader's output is malformed"));
    }
}

bool ImportWriter::takeRow(Cursor& at)
{
    const reader::Table& table = m_tables[std::size_t(m_table)];
    sqlite3_stmt* insert = m_inserts[std::size_t(m_table)];
    m_rowWithoutEmpire = false;
    m_rowKeptOut = false;
    for (std::size_t f = 0; f < table.fields.size(); ++f) {
        if (!at.has(1))
            return false;
        const int column = int(f) + 1;
        const bool identifier = table.fields[f].kind == reader::FieldKind::WholeNumber;
        const char kind = at.byte();
        if (kind == reader::kNoValue) {
            if (table.everyValueRequired)
                return fail(QStringLiteral("a row of the table \"%1\" has no %2")
                                .arg(nameOf(table.name), nameOf(table.fields[f].name)));
            sqlite3_bind_null(insert, column);
            m_rowWithoutEmpire = m_rowWithoutEmpire || f == 0;
        } else if (kind == reader::kWholeNumber && identifier) {
            if (!at.has(8))
                return false;
            const auto value = static_cast<qint64>(at.number(8));
            if (value < reader::kSmallestIdentifier || value > reader::kLargestIdentifier)
                return fail(QStringLiteral("the reader passed an identifier out of range"));
            // Every table's first field is its empire's number; none is below 1, so a
            // negative one is damage (0 and others are another empire's rows).
            if (f == 0 && value < 0)
                return fail(QStringLiteral("a row of the table \"%1\" names Empire # %2, a "
                                           "number no empire has (the file is damaged)")
                                .arg(nameOf(table.name))
                                .arg(value));
            sqlite3_bind_int64(insert, column, value);
            if (f == 0)
                noteEmpire(value);
        } else if (kind == reader::kText && !identifier) {
            if (!at.has(4))
                return false;
            const auto length = static_cast<qint64>(at.number(4));
            if (length > kLongestText)
                return fail(QStringLiteral("the reader's output is malformed"));
            if (!at.has(length))
                return false;
            if (length == 0 && table.everyValueRequired)
                return fail(QStringLiteral("a row of the table \"%1\" has an empty %2")
                                .arg(nameOf(table.name), nameOf(table.fields[f].name)));
            sqlite3_bind_text(insert, column, at.skip(length), int(length), SQLITE_STATIC);
        } else {
            return fail(QStringLiteral("the reader's output is malformed"));
        }
    }
    if (const int more = m_moreColumn[std::size_t(m_table)]; more > 0 && !takeExtraValues(at, more))
        return false;
    storeRow();
    return true;
}

bool ImportWriter::takeExtraNames(Cursor& at)
{
    if (!at.has(1))
        return false;
    const int count = static_cast<unsigned char>(at.byte());
    QStringList names;
    for (int n = 0; n < count; ++n) {
        QString name;
        if (!takeText(at, name))
            return false;
        names << name;
    }
    m_extraNames[m_table] = names;
    return true;
}

// The row's further values, joined by the unit separator into its More field (no value when
// the table has no further fields).
bool ImportWriter::takeExtraValues(Cursor& at, int column)
{
    sqlite3_stmt* insert = m_inserts[std::size_t(m_table)];
    const qsizetype count = m_extraNames[m_table].size();
    m_more.clear();
    for (qsizetype n = 0; n < count; ++n) {
        if (!at.has(1))
            return false;
        const char kind = at.byte();
        if (n > 0)
            m_more += reader::kMoreSeparator;
        if (kind == reader::kNoValue)
            continue;
        if (kind != reader::kText || !at.has(4))
            return kind == reader::kText ? false
                                         : fail(QStringLiteral("the reader's output is malformed"));
        const auto length = static_cast<qint64>(at.number(4));
        if (length > kLongestText)
            return fail(QStringLiteral("the reader's output is malformed"));
        if (!at.has(length))
            return false;
        m_more.append(at.skip(length), qsizetype(length));
    }
    if (count == 0)
        sqlite3_bind_null(insert, column);
    else
        sqlite3_bind_text(insert, column, m_more.constData(), int(m_more.size()), SQLITE_STATIC);
    return true;
}

void ImportWriter::noteEmpire(qint64 empireId)
{
    if (empireId != m_lastEmpireId || m_empireIds.isEmpty()) {
        m_empireIds.insert(empireId);
        m_lastEmpireId = empireId;
    }
    m_rowEmpire = empireId;
    m_rowKeptOut = m_keep && !m_keep(m_table, empireId);
}

void ImportWriter::storeRow()
{
    ++m_rows;
    if (m_rowWithoutEmpire) {
        ++m_leftOut.withoutEmpire;
        return;
    }
    if (m_rowKeptOut) {
        ++m_leftOut.byEmpire[m_rowEmpire];
        return;
    }
    ++m_stored[m_table];
    sqlite3_stmt* insert = m_inserts[std::size_t(m_table)];
    const int result = sqlite3_step(insert);
    sqlite3_reset(insert);
    if (result == SQLITE_DONE)
        return;
    const QString folder = QDir::toNativeSeparators(
        QFileInfo(QString::fromUtf8(sqlite3_db_filename(m_db, "main"))).absolutePath());
    constexpr int kPrimaryCode = 0xff;
    if (result == SQLITE_FULL || ((result & kPrimaryCode) == SQLITE_IOERR && diskIsFull(folder)))
        fail(QStringLiteral("the disk holding %1 is full").arg(folder));
    else
        fail(QStringLiteral("the turn entry database could not store it (%1)")
                 .arg(QString::fromUtf8(sqlite3_errmsg(m_db))));
}

bool ImportWriter::takeText(Cursor& at, QString& text)
{
    if (!at.has(5))
        return false;
    if (at.byte() != reader::kText)
        return fail(QStringLiteral("the reader's output is malformed"));
    const auto length = static_cast<qint64>(at.number(4));
    if (length > kLongestText)
        return fail(QStringLiteral("the reader's output is malformed"));
    if (!at.has(length))
        return false;
    text = QString::fromUtf8(at.skip(length), qsizetype(length));
    return true;
}

bool ImportWriter::takeUnread(Cursor& at)
{
    QString name;
    if (!takeText(at, name) || !at.has(8))
        return false;
    const auto rows = static_cast<qint64>(at.number(8));
    // Names without a tab or line break (how they are kept), and a count that is one.
    if (rows < 0 || name.isEmpty() || name.contains(QLatin1Char('\t')) ||
        name.contains(QLatin1Char('\n')))
        return fail(QStringLiteral("the reader's output is malformed"));
    m_unread.append({name, rows});
    return true;
}

bool ImportWriter::takeEnd(Cursor& at)
{
    constexpr int kEndSize = 16;
    if (!at.has(kEndSize))
        return false;
    const auto rows = static_cast<qint64>(at.number(8));
    m_readMs = static_cast<qint64>(at.number(8));
    if (rows != m_rows || m_table != int(m_tables.size()) - 1)
        return fail(QStringLiteral("the reader's output is incomplete"));
    m_finished = true;
    return true;
}

// Records the first failure; the frame counts as taken, and take() stops there.
bool ImportWriter::fail(const QString& why)
{
    if (m_error.isEmpty())
        m_error = why;
    return true;
}

namespace {

QList<qint64> ascending(const QSet<qint64>& set)
{
    QList<qint64> ids(set.begin(), set.end());
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace

QList<qint64> ImportWriter::empireIds() const
{
    return ascending(m_empireIds);
}

qint64 LeftOutRows::total() const
{
    qint64 rows = withoutEmpire;
    for (const qint64 count : byEmpire)
        rows += count;
    return rows;
}

void streamRows(const QString& readerPath, const QString& file, const ReaderLimits& limits,
                ImportWriter& writer, const Progress& progress, ReaderInput input)
{
    const ReaderOutcome outcome = runReader(
        readerPath, file, limits, [&writer](const QByteArray& rows) { return writer.take(rows); },
        progress, input);
    if (!writer.error().isEmpty())
        throw Error(writer.error());
    if (!outcome.complete)
        throw Error(outcome.cause);
    if (!writer.finished())
        throw Error(QStringLiteral("the reader's output is incomplete"));
}

} // namespace vf
