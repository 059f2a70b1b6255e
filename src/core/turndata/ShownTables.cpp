#include "ShownTables.h"

#include "protocol/ImportedTables.h"
#include "store/Store.h"
#include "store/TurnImports.h"

#include <algorithm>

namespace vf {

namespace {

ShownColumn number(const char* field, const char* heading)
{
    return {QLatin1String(field), QLatin1String(heading), true};
}

ShownColumn text(const char* field, const char* heading)
{
    return {QLatin1String(field), QLatin1String(heading), false};
}

QList<ShownTable> makeShownTables()
{
    const auto named = [](const char* table, const char* title, QList<ShownColumn> columns) {
        return ShownTable{QLatin1String(table), QLatin1String(title), std::move(columns), -1, -1,
                          std::nullopt};
    };
    const auto identified = [](const char* table, const char* title, QList<ShownColumn> columns,
                               int nameColumn, RecordKind kind) {
        return ShownTable{
            QLatin1String(table), QLatin1String(title), std::move(columns), 0, nameColumn, kind};
    };
    return {
        identified("Fleets", "Fleets", {number("FleetID", "Fleet #"), text("FleetName", "Name")}, 1,
                   RecordKind::Fleet),
        identified("Armies", "Armies", {number("ArmyID", "Army #"), text("ArmyName", "Name")}, 1,
                   RecordKind::Army),
        identified("Population Groups", "Population Groups",
                   {number("PopulationGroupID", "Population Group #"), text("SystemName", "System"),
                    text("OrbitalLocation", "Orbit")},
                   -1, RecordKind::PopulationGroup),
        named("System Names", "Systems", {text("StarName", "System")}),
        named("Orbital Locations", "Orbital Locations",
              {text("StarName", "System"), text("OrbitalLocation", "Orbit")}),
        identified("Warp Points", "Warp Points",
                   {number("WarpPointID", "Warp Point #"), text("StarName", "From"),
                    text("DestinationStarName", "To")},
                   1, RecordKind::WarpPoint),
        named("Items", "Items", {text("ItemName", "Item")}),
        named("Researchable Items", "Researchable Items", {text("ItemName", "Item")}),
        named("Ship Classes", "Ship Classes", {text("ShipClass", "Ship Class")}),
        named("Installations", "Installations", {text("InstallationName", "Installation")}),
        identified("Legendary Commanders", "Commanders",
                   {number("CommanderID", "Commander #"), text("CommanderRank", "Rank"),
                    text("CommanderName", "Name")},
                   2, RecordKind::Commander),
        named("Force Battle Plans", "Battle Plans", {text("ForceBattlePlan", "Battle Plan")}),
        named("Convoy Routes", "Convoy Routes", {text("ConvoyRouteName", "Convoy Route")}),
    };
}

} // namespace

const QList<ShownTable>& shownTables()
{
    static const QList<ShownTable> tables = makeShownTables();
    return tables;
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
    const bool warpPoints = table.kind == RecordKind::WarpPoint;
    const QChar separator = QLatin1Char(reader::kMoreSeparator);
    store.eachRow(shownRowsQuery(store, table, further > 0), {empireId},
                  [&](const StoredRow& stored) {
                      QStringList row;
                      row.reserve(own + further);
                      for (int column = 0; column < own; ++column)
                          row << stored.text(column);
                      if (warpPoints)
                          row[2] = shownDestination(row[2]);
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
    if (table.keyColumn < 0)
        return row.mid(0, table.columns.size()).join(QLatin1Char(' '));
    QString label =
        table.columns[table.keyColumn].heading + QLatin1Char(' ') + row.value(table.keyColumn);
    if (table.kind == RecordKind::WarpPoint)
        return label + QStringLiteral(" at ") + row.value(1);
    if (table.kind == RecordKind::PopulationGroup)
        return label + QStringLiteral(" at ") + row.value(1) + QLatin1Char(' ') + row.value(2);
    if (table.kind == RecordKind::Commander)
        return label + QLatin1Char(' ') + row.value(1) + QLatin1Char(' ') + row.value(2);
    const QString name = row.value(table.nameColumn);
    return name.isEmpty() ? label : label + QLatin1Char(' ') + name;
}

} // namespace vf
