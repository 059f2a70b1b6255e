#include "TurnChanges.h"

#include "store/Store.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vf {

namespace {

constexpr int kNamesListed = 50; // of a table without identifiers, per line

QString settingFor(int empireId)
{
    return QStringLiteral("turn changes %1").arg(empireId);
}

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

// The cells of a row that differ from the earlier row: (column, earlier value). A field the
// earlier import did not keep is no change.
QList<std::pair<int, QString>> differences(const TableRows& before, const QStringList& old,
                                           const TableRows& after, const QStringList& row,
                                           int skipped)
{
    QList<std::pair<int, QString>> changed;
    for (int column = 0; column < after.columns.size(); ++column) {
        const int was = columnIn(before.columns, after.columns[column]);
        if (column != skipped && was >= 0 && old.value(was) != row.value(column))
            changed.append({column, old.value(was)});
    }
    return changed;
}

// "Fleet # 12: renamed from Vanguard to Iron Vanguard", "Population Group # 7: orbit 3 → 4".
QString changeLine(const TableRows& after, const QStringList& row, int column, const QString& was)
{
    const ShownTable& table = *after.table;
    if (table.kind == RecordKind::WarpPoint && column == 2)
        return rowLabel(table, row) +
               QStringLiteral(" now leads to %1, was %2").arg(row[column], was);
    const QString key = table.keyColumn >= 0 ? table.columns[table.keyColumn].heading +
                                                   QLatin1Char(' ') + row[table.keyColumn]
                                             : rowLabel(table, row.mid(0, table.columns.size()));
    if (column == table.nameColumn)
        return key + QStringLiteral(": renamed from %1 to %2").arg(was, row[column]);
    return key + QStringLiteral(": %1 %2 \u2192 %3")
                     .arg(after.columns[column].heading.toLower(), was, row[column]);
}

TableChanges compareIdentified(const TableRows& before, const TableRows& after)
{
    const ShownTable& table = *after.table;
    TableChanges changes;
    changes.title = table.title;
    QHash<QString, qsizetype> earlier;
    for (std::size_t i = 0; i < before.rows.size(); ++i)
        earlier.insert(before.rows[i].value(table.keyColumn), qsizetype(i));
    QHash<QString, qsizetype> later;
    for (std::size_t i = 0; i < after.rows.size(); ++i)
        later.insert(after.rows[i].value(table.keyColumn), qsizetype(i));
    for (const QStringList& row : before.rows) {
        if (!later.contains(row.value(table.keyColumn))) {
            changes.lines << rowLabel(table, row) + QStringLiteral(": gone");
            ++changes.gone;
        }
    }
    QStringList altered;
    for (const QStringList& row : after.rows) {
        const auto match = earlier.constFind(row.value(table.keyColumn));
        if (match == earlier.cend()) {
            changes.lines << rowLabel(table, row) + QStringLiteral(": new");
            ++changes.added;
            continue;
        }
        const QStringList& old = before.rows[std::size_t(*match)];
        if (old == row)
            continue;
        const auto changed = differences(before, old, after, row, table.keyColumn);
        changes.changed += changed.isEmpty() ? 0 : 1;
        for (const auto& [column, was] : changed)
            altered << changeLine(after, row, column, was);
    }
    changes.lines += altered;
    return changes;
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

// Rows without identifiers, matched by their own cells (a name): what one import holds more
// often than the other, and the further fields that changed.
TableChanges compareNamed(const TableRows& before, const TableRows& after)
{
    const ShownTable& table = *after.table;
    const qsizetype own = table.columns.size();
    const auto nameOf = [own](const QStringList& row) {
        return row.mid(0, own).join(QLatin1Char(' '));
    };
    TableChanges changes;
    changes.title = table.title;
    QHash<QString, QList<qsizetype>> unmatched; // by name, in stored order
    for (std::size_t i = 0; i < before.rows.size(); ++i)
        unmatched[nameOf(before.rows[i])].append(qsizetype(i));
    QStringList added;
    QStringList altered;
    for (const QStringList& row : after.rows) {
        auto found = unmatched.find(nameOf(row));
        if (found == unmatched.end() || found->isEmpty()) {
            added << nameOf(row);
            continue;
        }
        const QStringList& old = before.rows[std::size_t(found->takeFirst())];
        const auto changed = differences(before, old, after, row, -1);
        changes.changed += changed.isEmpty() ? 0 : 1;
        for (const auto& [column, was] : changed)
            altered << changeLine(after, row, column, was);
    }
    QStringList gone;
    for (std::size_t i = 0; i < before.rows.size(); ++i) {
        const QList<qsizetype>& left = unmatched.value(nameOf(before.rows[i]));
        if (left.contains(qsizetype(i)))
            gone << nameOf(before.rows[i]);
    }
    changes.added = int(added.size());
    changes.gone = int(gone.size());
    if (!added.isEmpty())
        changes.lines << namesLine(added, QStringLiteral("new"));
    if (!gone.isEmpty())
        changes.lines << namesLine(gone, QStringLiteral("gone"));
    changes.lines += altered;
    return changes;
}

QJsonObject toJson(const TableChanges& table)
{
    return {{QStringLiteral("title"), table.title},
            {QStringLiteral("added"), table.added},
            {QStringLiteral("gone"), table.gone},
            {QStringLiteral("changed"), table.changed},
            {QStringLiteral("lines"), QJsonArray::fromStringList(table.lines)}};
}

TableChanges fromJson(const QJsonObject& object)
{
    TableChanges table;
    table.title = object.value(QStringLiteral("title")).toString();
    table.added = object.value(QStringLiteral("added")).toInt();
    table.gone = object.value(QStringLiteral("gone")).toInt();
    table.changed = object.value(QStringLiteral("changed")).toInt();
    for (const QJsonValue& line : object.value(QStringLiteral("lines")).toArray())
        table.lines << line.toString();
    return table;
}

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

QList<TableChanges> compareTurns(const TurnSnapshot& before, const TurnSnapshot& after)
{
    QList<TableChanges> all;
    for (std::size_t i = 0; i < after.size() && i < before.size(); ++i) {
        all << (after[i].table->keyColumn >= 0 ? compareIdentified(before[i], after[i])
                                               : compareNamed(before[i], after[i]));
    }
    return all;
}

void keepTurnChanges(const Store& store, int empireId, const TurnChanges& changes)
{
    QJsonArray tables;
    for (const TableChanges& table : changes.tables)
        tables << toJson(table);
    const QJsonObject kept{{QStringLiteral("before"), changes.before.toString(Qt::ISODate)},
                           {QStringLiteral("after"), changes.after.toString(Qt::ISODate)},
                           {QStringLiteral("tables"), tables}};
    store.setSetting(settingFor(empireId),
                     QString::fromUtf8(QJsonDocument(kept).toJson(QJsonDocument::Compact)));
}

TurnChanges keptTurnChanges(const Store& store, int empireId)
{
    const QJsonObject kept =
        QJsonDocument::fromJson(store.setting(settingFor(empireId)).toUtf8()).object();
    TurnChanges changes;
    changes.before =
        QDateTime::fromString(kept.value(QStringLiteral("before")).toString(), Qt::ISODate);
    changes.after =
        QDateTime::fromString(kept.value(QStringLiteral("after")).toString(), Qt::ISODate);
    for (const QJsonValue& table : kept.value(QStringLiteral("tables")).toArray())
        changes.tables << fromJson(table.toObject());
    return changes;
}

} // namespace vf
