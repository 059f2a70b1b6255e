#include "RecordNames.h"

#include "Store.h"

#include <QStringList>

namespace vf {

namespace {

const QString kTable = QStringLiteral("\"Record Names\"");

struct NamedRecords {
    RecordKind kind;
    const char* table;
    const char* number;
    const char* name;
};

// Where each kind of record's number and name are read.
constexpr NamedRecords kNamed[] = {
    {RecordKind::Fleet, "Fleets", "FleetID", "FleetName"},
    {RecordKind::Army, "Armies", "ArmyID", "ArmyName"},
    {RecordKind::PopulationGroup, "\"Population Groups\"", "PopulationGroupID",
     "coalesce(SystemName, '') || '-' || coalesce(OrbitalLocation, '')"},
    {RecordKind::Commander, "\"Legendary Commanders\"", "CommanderID", "CommanderName"},
    {RecordKind::WarpPoint, "\"Warp Points\"", "WarpPointID", "DestinationStarName"},
};

bool hasTable(const Store& store)
{
    QSqlQuery query =
        store.run(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"),
                  {QStringLiteral("Record Names")});
    return query.next();
}

} // namespace

void RecordNames::addTable(const Store& store)
{
    if (hasTable(store))
        return;
    Transaction transaction(store);
    store.run(QStringLiteral("CREATE TABLE %1 (EmpireID INTEGER NOT NULL, Kind INTEGER NOT NULL, "
                             "Number INTEGER NOT NULL, Name TEXT, "
                             "PRIMARY KEY (EmpireID, Kind, Number)) WITHOUT ROWID")
                  .arg(kTable));
    RecordNames(store).keepAll();
    transaction.commit();
}

void RecordNames::keep(int empireId) const
{
    keepWhere(QStringLiteral("EmpireID = ?"), {empireId});
}

void RecordNames::keepAll() const
{
    keepWhere(QStringLiteral("EmpireID IS NOT NULL"), {});
}

void RecordNames::keepWhere(const QString& condition, std::initializer_list<QVariant> values) const
{
    for (const NamedRecords& named : kNamed) {
        m_store.run(QStringLiteral("INSERT OR REPLACE INTO %1 (EmpireID, Kind, Number, Name) "
                                   "SELECT EmpireID, %2, %3, %4 FROM %5 WHERE %3 IS NOT NULL "
                                   "AND %6")
                        .arg(kTable)
                        .arg(int(named.kind))
                        .arg(QLatin1String(named.number), QLatin1String(named.name),
                             QLatin1String(named.table), condition),
                    values);
    }
}

QHash<int, QString> RecordNames::namesOf(int empireId, RecordKind kind,
                                         const QList<int>& numbers) const
{
    QHash<int, QString> names;
    if (numbers.isEmpty() || !hasTable(m_store))
        return names;
    // Numbers are written into the statement: they are integers, and there may be thousands.
    QStringList listed;
    listed.reserve(numbers.size());
    for (const int number : numbers)
        listed << QString::number(number);
    m_store.eachRow(QStringLiteral("SELECT Number, Name FROM %1 WHERE EmpireID = ? AND Kind = ? "
                                   "AND Number IN (%2)")
                        .arg(kTable, listed.join(QLatin1Char(','))),
                    {empireId, int(kind)}, [&names](const StoredRow& row) {
                        names.insert(int(row.number(0)), row.text(1));
                    });
    return names;
}

} // namespace vf
