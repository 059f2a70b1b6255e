#include "ShownTables.h"

#include "Error.h"
#include "protocol/ImportedTables.h"
#include "store/Store.h"
#include "store/TurnImports.h"

#include <algorithm>

namespace vf {

namespace {

ShownColumn number(const char* field, const char* heading, ColumnRole role = ColumnRole::Plain)
{
    return {QLatin1String(field), QLatin1String(heading), true, role};
}

ShownColumn text(const char* field, const char* heading, ColumnRole role = ColumnRole::Plain)
{
    return {QLatin1String(field), QLatin1String(heading), false, role};
}

QList<ShownTable> makeShownTables()
{
    using enum ColumnRole;
    const auto table = [](const char* stored, const char* title, QList<ShownColumn> columns,
                          std::optional<RecordKind> kind = std::nullopt) {
        return ShownTable{QLatin1String(stored), QLatin1String(title), std::move(columns), kind};
    };
    return {
        table("Fleets", "Fleets",
              {number("FleetID", "Fleet #", Key), text("FleetName", "Name", Name)},
              RecordKind::Fleet),
        table("Armies", "Armies", {number("ArmyID", "Army #", Key), text("ArmyName", "Name", Name)},
              RecordKind::Army),
        table("Population Groups", "Population Groups",
              {number("PopulationGroupID", "Population Group #", Key),
               text("SystemName", "System", Star), text("OrbitalLocation", "Orbit", Orbit)},
              RecordKind::PopulationGroup),
        table("System Names", "Systems", {text("StarName", "System", Star)}),
        table("Orbital Locations", "Orbital Locations",
              {text("StarName", "System", Star), text("OrbitalLocation", "Orbit", Orbit)}),
        table("Warp Points", "Warp Points",
              {number("WarpPointID", "Warp Point #", Key), text("StarName", "From", Star),
               text("DestinationStarName", "To", Destination)},
              RecordKind::WarpPoint),
        table("Items", "Items", {text("ItemName", "Item")}),
        table("Researchable Items", "Researchable Items", {text("ItemName", "Item")}),
        table("Ship Classes", "Ship Classes", {text("ShipClass", "Ship Class")}),
        table("Installations", "Installations", {text("InstallationName", "Installation")}),
        table("Legendary Commanders", "Commanders",
              {number("CommanderID", "Commander #", Key), text("CommanderRank", "Rank", Rank),
               text("CommanderName", "Name", Name)},
              RecordKind::Commander),
        table("Force Battle Plans", "Battle Plans", {text("ForceBattlePlan", "Battle Plan")}),
        table("Convoy Routes", "Convoy Routes", {text("ConvoyRouteName", "Convoy Route")}),
    };
}

} // namespace

const QList<ShownTable>& shownTables()
{
    static const QList<ShownTable> tables = makeShownTables();
    return tables;
}

const ShownTable& shownTable(RecordKind kind)
{
    const auto& tables = shownTables();
    const auto found = std::find_if(tables.begin(), tables.end(),
                                    [kind](const ShownTable& table) { return table.kind == kind; });
    if (found == tables.end())
        throw Error(QStringLiteral("the program shows no table of that kind of record"));
    return *found;
}

int ShownTable::column(ColumnRole role) const
{
    for (int at = 0; at < columns.size(); ++at) {
        if (columns[at].role == role)
            return at;
    }
    return -1;
}

QString shownDestination(const QString& destination)
{
    if (destination.isEmpty() || destination.startsWith(QLatin1Char('?')))
        return QStringLiteral("unexplored");
    if (destination.size() < 2)
        return destination;
    return destination.chopped(1) + QStringLiteral(" (") + destination.right(1) + QLatin1Char(')');
}

QList<ShownColumn> shownColumns(const Store& store, int empireId, const ShownTable& table)
{
    QList<ShownColumn> columns = table.columns;
    for (const QString& name : furtherFieldsOf(store, empireId, table.table))
        columns << ShownColumn{QString(), name, false};
    return columns;
}

QString shownRowsQuery(const Store& store, const ShownTable& table, bool withFurther)
{
    QStringList fields;
    for (const ShownColumn& column : table.columns)
        fields << Store::quoted(column.field);
    const QString more = QString::fromLatin1(reader::kMoreField);
    fields << (withFurther && store.hasField(table.table, more) ? more : QStringLiteral("NULL"));
    return QStringLiteral("SELECT %1 FROM %2 WHERE EmpireID = ? ORDER BY rowid")
        .arg(fields.join(QStringLiteral(", ")), Store::quoted(table.table));
}

TableRows readShownTable(const Store& store, int empireId, const ShownTable& table)
{
    const qsizetype own = table.columns.size();
    TableRows read{&table, shownColumns(store, empireId, table), {}};
    const qsizetype further = read.columns.size() - own;
    const int destination = table.column(ColumnRole::Destination);
    const QChar separator = QLatin1Char(reader::kMoreSeparator);
    store.eachRow(shownRowsQuery(store, table, further > 0), {empireId},
                  [&](const StoredRow& stored) {
                      QStringList row;
                      row.reserve(own + further);
                      for (int column = 0; column < own; ++column)
                          row << stored.text(column);
                      if (destination >= 0)
                          row[destination] = shownDestination(row[destination]);
                      if (further > 0) {
                          const QStringList values = stored.text(int(own)).split(separator);
                          for (qsizetype n = 0; n < further; ++n)
                              row << values.value(n);
                      }
                      read.rows.push_back(std::move(row));
                  });
    // A further field whose every value is a number sorts as numbers.
    for (qsizetype column = own; column < read.columns.size(); ++column) {
        bool number = false;
        for (const QStringList& row : read.rows) {
            const QString& cell = row[column];
            if (cell.isEmpty())
                continue;
            cell.toDouble(&number);
            if (!number)
                break;
        }
        read.columns[column].number = number;
    }
    return read;
}

int countShownRows(const Store& store, int empireId, const ShownTable& table)
{
    int count = 0;
    store.eachRow(QStringLiteral("SELECT count(*) FROM %1 WHERE EmpireID = ?")
                      .arg(Store::quoted(table.table)),
                  {empireId}, [&count](const StoredRow& row) { count = int(row.number(0)); });
    return count;
}

bool rowHolds(const QStringList& row, const QString& text)
{
    if (text.isEmpty())
        return true;
    for (const QString& cell : row) {
        if (cell.contains(text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void sortRows(std::vector<int>& shown, const TableRows& rows, int column, Qt::SortOrder order)
{
    if (column < 0 || column >= rows.columns.size())
        return;
    const auto stable = [&shown, order](const auto& before) {
        if (order == Qt::AscendingOrder)
            std::stable_sort(shown.begin(), shown.end(), before);
        else
            std::stable_sort(shown.begin(), shown.end(),
                             [&before](int left, int right) { return before(right, left); });
    };
    const auto cell = [&rows, column](int row) -> const QString& {
        return rows.rows[std::size_t(row)][column];
    };
    if (!rows.columns[column].number) {
        stable([&cell](int left, int right) {
            return cell(left).compare(cell(right), Qt::CaseInsensitive) < 0;
        });
        return;
    }
    // Each cell read as a number once: (whether it holds one, its value).
    std::vector<std::pair<bool, double>> numbers(rows.rows.size());
    for (const int row : shown) {
        bool read = false;
        const double value = cell(row).toDouble(&read);
        numbers[std::size_t(row)] = {read, read ? value : 0.0};
    }
    stable([&numbers](int left, int right) {
        return numbers[std::size_t(left)] < numbers[std::size_t(right)];
    });
}

QString rowLabel(const ShownTable& table, const QStringList& row)
{
    const int key = table.keyColumn();
    if (key < 0)
        return row.mid(0, table.columns.size()).join(QLatin1Char(' '));
    const auto cell = [&](ColumnRole role) { return row.value(table.column(role)); };
    QString label = table.columns[key].heading + QLatin1Char(' ') + row.value(key);
    if (table.column(ColumnRole::Star) >= 0)
        label += QStringLiteral(" at ") + cell(ColumnRole::Star);
    for (const ColumnRole role : {ColumnRole::Orbit, ColumnRole::Rank, ColumnRole::Name}) {
        if (table.column(role) >= 0 && !cell(role).isEmpty())
            label += QLatin1Char(' ') + cell(role);
    }
    return label;
}

} // namespace vf
