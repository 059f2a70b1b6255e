#include "TurnChanges.h"

#include "Error.h"
#include "protocol/ImportedTables.h"
#include "store/Store.h"
#include "store/TurnImports.h"
#include "turnimport/TurnImporter.h"

#include <QDir>
#include <QHash>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>

namespace vf {

namespace {

constexpr int kNamesListed = 50; // of a table without identifiers, per line
constexpr quint64 kNoIdentifier = ~quint64(0);

// Where a column of one import is in the other's (the further fields may differ); -1: not
// there.
int columnIn(const QList<ShownColumn>& columns, const ShownColumn& wanted)
{
    for (int column = 0; column < columns.size(); ++column) {
        if (columns[column].heading == wanted.heading && columns[column].field == wanted.field)
            return column;
    }
    return -1;
}

// "Fleet # 12: renamed from Vanguard to Iron Vanguard", "Population Group # 7: orbit 3 → 4".
QString changeLine(const ShownTable& table, const QList<ShownColumn>& columns,
                   const QStringList& row, int column, const QString& was)
{
    if (column == table.column(ColumnRole::Destination))
        return rowLabel(table, row) +
               QStringLiteral(" now leads to %1, was %2").arg(row[column], was);
    const int keyColumn = table.keyColumn();
    const QString key = keyColumn >= 0
                            ? table.columns[keyColumn].heading + QLatin1Char(' ') + row[keyColumn]
                            : rowLabel(table, row.mid(0, table.columns.size()));
    if (column == table.column(ColumnRole::Name))
        return key + QStringLiteral(": renamed from %1 to %2").arg(was, row[column]);
    return key + QStringLiteral(": %1 %2 \u2192 %3")
                     .arg(columns[column].heading.toLower(), was, row[column]);
}

// "2 new: Ion Drive, Warp Core"; the first names only of a long list.
QString namesLine(const QStringList& names, const QString& what)
{
    QStringList shown = names.mid(0, kNamesListed);
    if (names.size() > kNamesListed)
        shown << QStringLiteral("\u2026");
    return QStringLiteral("%1 %2: %3")
        .arg(names.size())
        .arg(what, shown.join(QStringLiteral(", ")));
}

// A stored row as one text: its fields joined by the unit separator (the further ones are so
// joined already).
void joinRow(const StoredRow& stored, qsizetype fields, QByteArray& into)
{
    into.clear();
    for (int field = 0; field < fields; ++field) {
        if (field > 0)
            into += reader::kMoreSeparator;
        into += stored.utf8(field);
    }
}

// One table's rows read from the store in stored order, handed over joined, with the key that
// matches them (the identifier, or a hash of the row's own fields) and the length of the
// row's own fields in it.
struct RowReader {
    const Store& store;
    int empireId;

    using Take = std::function<void(quint64 key, const QByteArray& row, qsizetype ownLength)>;

    void each(const ShownTable& table, qsizetype further, const Take& take) const
    {
        const qsizetype own = table.columns.size();
        QByteArray row;
        store.eachRow(shownRowsQuery(store, table, further > 0), {empireId},
                      [&](const StoredRow& stored) {
                          joinRow(stored, own, row);
                          const qsizetype ownLength = row.size();
                          row += reader::kMoreSeparator;
                          row += stored.utf8(int(own));
                          quint64 key = qHash(QByteArrayView(row).first(ownLength));
                          if (const int keyColumn = table.keyColumn(); keyColumn >= 0) {
                              const QByteArrayView id = stored.utf8(keyColumn);
                              key = id.isNull() ? kNoIdentifier : quint64(stored.number(keyColumn));
                          }
                          take(key, row, ownLength);
                      });
    }
};

// A joined row as the player reads its cells.
QStringList cellsOf(const ShownTable& table, qsizetype columns, QByteArrayView joined)
{
    QStringList cells = QString::fromUtf8(joined).split(QLatin1Char(reader::kMoreSeparator));
    cells.resize(columns);
    if (const int destination = table.column(ColumnRole::Destination); destination >= 0)
        cells[destination] = shownDestination(cells[destination]);
    return cells;
}

} // namespace

struct StoredTurn::Table {
    const ShownTable* table = nullptr;
    QList<ShownColumn> columns;
    QByteArray rows;               // every row, joined, one after the other
    std::vector<qsizetype> starts; // where each row begins; one more at the end
    std::vector<qsizetype> ownLengths;
    QHash<quint64, qsizetype> firstByKey; // the first row of each key
    std::vector<qsizetype> nextByKey;     // the next row of the same key; -1: none

    qsizetype count() const { return qsizetype(ownLengths.size()); }
    QByteArrayView row(qsizetype index) const
    {
        const auto at = std::size_t(index);
        return QByteArrayView(rows).sliced(starts[at], starts[at + 1] - starts[at]);
    }
    QStringList cells(qsizetype index) const { return cellsOf(*table, columns.size(), row(index)); }
    void add(quint64 key, const QByteArray& joined, qsizetype ownLength)
    {
        const qsizetype index = count();
        rows += joined;
        starts.push_back(rows.size());
        ownLengths.push_back(ownLength);
        nextByKey.push_back(-1);
        const auto first = firstByKey.constFind(key);
        if (first == firstByKey.cend()) {
            firstByKey.insert(key, index);
            return;
        }
        qsizetype last = *first;
        while (nextByKey[std::size_t(last)] >= 0)
            last = nextByKey[std::size_t(last)];
        nextByKey[std::size_t(last)] = index;
    }
    // The first row of the key not matched yet whose own fields are these (a name's hash may
    // be shared); -1: none.
    qsizetype match(quint64 key, QByteArrayView own, const std::vector<bool>& matched) const
    {
        const auto first = firstByKey.constFind(key);
        for (qsizetype at = first == firstByKey.cend() ? -1 : *first; at >= 0;
             at = nextByKey[std::size_t(at)]) {
            if (matched[std::size_t(at)])
                continue;
            if (table->keyColumn() >= 0 || row(at).first(ownLengths[std::size_t(at)]) == own)
                return at;
        }
        return -1;
    }
};

StoredTurn::StoredTurn(const Store& store, int empireId)
{
    const RowReader reader{store, empireId};
    for (const ShownTable& shown : shownTables()) {
        Table& table = m_tables.emplace_back();
        table.table = &shown;
        table.columns = shownColumns(store, empireId, shown);
        table.starts.push_back(0);
        reader.each(shown, table.columns.size() - shown.columns.size(),
                    [&table](quint64 key, const QByteArray& row, qsizetype ownLength) {
                        table.add(key, row, ownLength);
                    });
    }
}

StoredTurn::~StoredTurn() = default;
StoredTurn::StoredTurn(StoredTurn&&) noexcept = default;
StoredTurn& StoredTurn::operator=(StoredTurn&&) noexcept = default;

namespace {

// The cells of a row that differ from the earlier row, as lines. A field the earlier import
// did not keep is no change.
QStringList differences(const ShownTable& table, const QList<ShownColumn>& earlierColumns,
                        const QStringList& old, const QList<ShownColumn>& columns,
                        const QStringList& row)
{
    QStringList lines;
    for (int column = 0; column < columns.size(); ++column) {
        const int was = columnIn(earlierColumns, columns[column]);
        if (column != table.keyColumn() && was >= 0 && old.value(was) != row.value(column))
            lines << changeLine(table, columns, row, column, old.value(was));
    }
    return lines;
}

// A row gone and a row new of one name, in a table of numbered records, are one record
// renumbered: "Fleet # 502 Keth'ra Watch: renumbered 503 (same name)". Each gone row is paired
// with the first new row of its name not paired yet.
QStringList renumbered(const ShownTable& table, std::vector<QStringList>& added,
                       std::vector<QStringList>& gone)
{
    const int name = table.column(ColumnRole::Name);
    const int key = table.keyColumn();
    QStringList lines;
    if (name < 0 || key < 0)
        return lines;
    for (auto old = gone.begin(); old != gone.end();) {
        const QString& oldName = old->value(name);
        const auto now = std::find_if(added.begin(), added.end(), [&](const QStringList& row) {
            return !oldName.isEmpty() && row.value(name) == oldName;
        });
        if (now == added.end()) {
            ++old;
            continue;
        }
        lines << rowLabel(table, *old) +
                     QStringLiteral(": renumbered %1 (same name)").arg(now->value(key));
        added.erase(now);
        old = gone.erase(old);
    }
    return lines;
}

// The rows that came and went as lines: one a line in a table of numbered records (after the
// renumbered ones), the names in a line otherwise.
void tellAddedAndGone(const ShownTable& table, std::vector<QStringList> added,
                      std::vector<QStringList> gone, TableChanges& changes)
{
    const QStringList moved = renumbered(table, added, gone);
    changes.changed += int(moved.size());
    changes.added = int(added.size());
    changes.gone = int(gone.size());
    const auto labels = [&table](const std::vector<QStringList>& rows) {
        QStringList all;
        for (const QStringList& row : rows)
            all << rowLabel(table, row);
        return all;
    };
    if (table.keyColumn() >= 0) {
        changes.lines << moved;
        for (const QString& label : labels(gone))
            changes.lines << label + QStringLiteral(": gone");
        for (const QString& label : labels(added))
            changes.lines << label + QStringLiteral(": new");
        return;
    }
    if (!added.empty())
        changes.lines << namesLine(labels(added), QStringLiteral("new"));
    if (!gone.empty())
        changes.lines << namesLine(labels(gone), QStringLiteral("gone"));
}

} // namespace

QList<TableChanges> StoredTurn::changesTo(const Store& store, int empireId) const
{
    const RowReader reader{store, empireId};
    QList<TableChanges> all;
    for (const Table& before : m_tables) {
        const ShownTable& table = *before.table;
        const QList<ShownColumn> columns = shownColumns(store, empireId, table);
        const bool sameColumns = columns == before.columns;
        TableChanges changes;
        changes.title = table.title;
        std::vector<bool> matched(std::size_t(before.count()), false);
        std::vector<QStringList> added;
        QStringList altered;
        reader.each(table, columns.size() - table.columns.size(),
                    [&](quint64 key, const QByteArray& row, qsizetype ownLength) {
                        const qsizetype earlier =
                            before.match(key, QByteArrayView(row).first(ownLength), matched);
                        if (earlier < 0) {
                            added.push_back(cellsOf(table, columns.size(), row));
                            return;
                        }
                        matched[std::size_t(earlier)] = true;
                        if (sameColumns && before.row(earlier) == QByteArrayView(row))
                            return;
                        const QStringList lines =
                            differences(table, before.columns, before.cells(earlier), columns,
                                        cellsOf(table, columns.size(), row));
                        changes.changed += lines.isEmpty() ? 0 : 1;
                        altered += lines;
                    });
        std::vector<QStringList> gone;
        for (std::size_t i = 0; i < matched.size(); ++i) {
            if (!matched[i])
                gone.push_back(before.cells(qsizetype(i)));
        }
        tellAddedAndGone(table, std::move(added), std::move(gone), changes);
        changes.lines += altered;
        all << changes;
    }
    return all;
}

namespace {

} // namespace

QString TableChanges::summary() const
{
    QStringList parts;
    if (added > 0)
        parts << QStringLiteral("%1 new").arg(added);
    if (gone > 0)
        parts << QStringLiteral("%1 gone").arg(gone);
    if (changed > 0)
        parts << QStringLiteral("%1 changed").arg(changed);
    return title + QStringLiteral(": ") +
           (parts.isEmpty() ? QStringLiteral("no change") : parts.join(QStringLiteral(", ")));
}

int TurnChanges::total() const
{
    int sum = 0;
    for (const TableChanges& table : tables)
        sum += table.added + table.gone + table.changed;
    return sum;
}

TurnSnapshot readTurnSnapshot(const Store& store, int empireId)
{
    TurnSnapshot snapshot;
    for (const ShownTable& table : shownTables())
        snapshot.push_back(readShownTable(store, empireId, table));
    return snapshot;
}

namespace {

// Reads a turn results file of the empire into a database of its own.
void readInto(const Store& store, int empireId, const QString& readerPath, const QString& file,
              const Progress& progress)
{
    TurnImporter(store, readerPath).importFile(empireId, file, ForeignFile::Replace, progress);
}

QString temporaryStore(const QTemporaryDir& folder, const QString& name, const QString& file)
{
    if (!folder.isValid())
        throw Error(QStringLiteral("a temporary folder to read %1 in could not be made")
                        .arg(QDir::toNativeSeparators(file)));
    return folder.filePath(name);
}

} // namespace

TurnChanges changesSince(const Store& store, int empireId, const QString& readerPath,
                         const QString& earlierFile, const QDateTime& earlierWhen,
                         const Progress& progress)
{
    const QTemporaryDir folder;
    TurnChanges changes;
    {
        const Store earlier(temporaryStore(folder, QStringLiteral("earlier.sqlite"), earlierFile));
        readInto(earlier, empireId, readerPath, earlierFile, progress);
        changes.tables = StoredTurn(earlier, empireId).changesTo(store, empireId);
    }
    changes.before = earlierWhen;
    changes.after = lastImportOf(store, empireId).when;
    return changes;
}

TurnChanges changesBetween(int empireId, const QString& readerPath,
                           const TurnResultsArchive::Kept& earlier,
                           const TurnResultsArchive::Kept& later, const Progress& progress)
{
    const QTemporaryDir folder;
    TurnChanges changes;
    {
        const Store store(temporaryStore(folder, QStringLiteral("later.sqlite"), later.path));
        readInto(store, empireId, readerPath, later.path, progress);
        changes = changesSince(store, empireId, readerPath, earlier.path, earlier.when, progress);
    }
    changes.after = later.when;
    return changes;
}

} // namespace vf
