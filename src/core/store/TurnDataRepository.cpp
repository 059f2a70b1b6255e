#include "TurnDataRepository.h"

#include "Store.h"
#include "orders/ChoiceEntries.h"

namespace vf {

namespace {

QString text(const StoredRow& row, int column)
{
    return row.text(column);
}

int number(const StoredRow& row, int column)
{
    return int(row.number(column));
}

} // namespace

ChoiceList TurnDataRepository::read(const QString& sql, std::initializer_list<QVariant> values,
                                    const Row& row) const
{
    ChoiceList list;
    m_store.eachRow(sql, values,
                    [&list, &row](const StoredRow& stored) { list.append(row(stored)); });
    return list;
}

ChoiceList TurnDataRepository::names(const QString& field, const QString& table, bool sorted) const
{
    const QString order =
        sorted ? QStringLiteral("%1 COLLATE NOCASE, rowid").arg(field) : QStringLiteral("rowid");
    return read(QStringLiteral("SELECT %1 FROM %2 WHERE EmpireID = ? ORDER BY %3")
                    .arg(field, Store::quoted(table), order),
                {m_empireId}, [](const StoredRow& q) {
                    return ChoiceEntry{text(q, 0), {}};
                });
}

ChoiceList TurnDataRepository::fleets() const
{
    return read(QStringLiteral("SELECT FleetID, FleetName FROM Fleets WHERE EmpireID = ? "
                               "AND FleetID IS NOT NULL ORDER BY rowid"),
                {m_empireId}, [](const StoredRow& q) {
                    return ChoiceEntry{entrytext::fleet(number(q, 0), text(q, 1)), number(q, 0)};
                });
}

ChoiceList TurnDataRepository::armies() const
{
    return read(QStringLiteral("SELECT ArmyID, ArmyName FROM Armies WHERE EmpireID = ? "
                               "AND ArmyID IS NOT NULL ORDER BY rowid"),
                {m_empireId}, [](const StoredRow& q) {
                    return ChoiceEntry{entrytext::army(number(q, 0), text(q, 1)), number(q, 0)};
                });
}

ChoiceList TurnDataRepository::commanders() const
{
    return read(QStringLiteral("SELECT CommanderRank, CommanderName, CommanderID "
                               "FROM \"Legendary Commanders\" WHERE EmpireID = ? "
                               "AND CommanderID IS NOT NULL ORDER BY rowid"),
                {m_empireId}, [](const StoredRow& q) {
                    return ChoiceEntry{entrytext::commander(text(q, 0), text(q, 1), number(q, 2)),
                                       number(q, 2)};
                });
}

ChoiceList TurnDataRepository::populationGroups() const
{
    return read(QStringLiteral("SELECT PopulationGroupID, SystemName, OrbitalLocation "
                               "FROM \"Population Groups\" WHERE EmpireID = ? "
                               "AND PopulationGroupID IS NOT NULL ORDER BY rowid"),
                {m_empireId}, [](const StoredRow& q) {
                    return ChoiceEntry{
                        entrytext::populationGroup(number(q, 0), text(q, 1), text(q, 2)),
                        number(q, 0)};
                });
}

ChoiceList TurnDataRepository::warpPointsOf(const QString& star) const
{
    return read(
        QStringLiteral("SELECT WarpPointID, StarName, DestinationStarName "
                       "FROM \"Warp Points\" WHERE StarName = ? COLLATE ANYCASE AND EmpireID = ? "
                       "AND WarpPointID IS NOT NULL "
                       "ORDER BY DestinationStarName COLLATE NOCASE, rowid"),
        {star, m_empireId}, [](const StoredRow& q) {
            return ChoiceEntry{entrytext::warpPoint(number(q, 0), text(q, 1), text(q, 2)),
                               number(q, 0)};
        });
}

QHash<QString, ChoiceList> TurnDataRepository::warpPointsByStar() const
{
    QHash<QString, ChoiceList> byStar;
    m_store.eachRow(
        QStringLiteral("SELECT WarpPointID, StarName, DestinationStarName "
                       "FROM \"Warp Points\" WHERE EmpireID = ? AND WarpPointID IS NOT NULL "
                       "ORDER BY DestinationStarName COLLATE NOCASE, rowid"),
        {m_empireId}, [&byStar](const StoredRow& q) {
            byStar[text(q, 1).toCaseFolded()].append(ChoiceEntry{
                entrytext::warpPoint(number(q, 0), text(q, 1), text(q, 2)), number(q, 0)});
        });
    return byStar;
}

ChoiceList TurnDataRepository::orbitalLocationsOf(const QString& star) const
{
    return read(
        QStringLiteral("SELECT OrbitalLocation FROM \"Orbital Locations\" "
                       "WHERE StarName = ? COLLATE ANYCASE AND EmpireID = ? ORDER BY rowid"),
        {star, m_empireId}, [](const StoredRow& q) {
            return ChoiceEntry{text(q, 0), {}};
        });
}

ChoiceList TurnDataRepository::starNames() const
{
    return names(QStringLiteral("StarName"), QStringLiteral("System Names"), false);
}

ChoiceList TurnDataRepository::items() const
{
    return names(QStringLiteral("ItemName"), QStringLiteral("Items"), true);
}

ChoiceList TurnDataRepository::shipClasses() const
{
    return names(QStringLiteral("ShipClass"), QStringLiteral("Ship Classes"), true);
}

ChoiceList TurnDataRepository::installations() const
{
    return names(QStringLiteral("InstallationName"), QStringLiteral("Installations"), true);
}

ChoiceList TurnDataRepository::battlePlans() const
{
    return names(QStringLiteral("ForceBattlePlan"), QStringLiteral("Force Battle Plans"), false);
}

ChoiceList TurnDataRepository::researchableItems() const
{
    return names(QStringLiteral("ItemName"), QStringLiteral("Researchable Items"), true);
}

ChoiceList TurnDataRepository::convoyRoutes() const
{
    return names(QStringLiteral("ConvoyRouteName"), QStringLiteral("Convoy Routes"), false);
}

} // namespace vf
