#include "RecordNames.h"

#include "OrderRepository.h"
#include "Store.h"

#include <QSet>
#include <QStringList>

namespace vf {

namespace {

const QString kName = QStringLiteral("Record Names");
const QString kTable = Store::quoted(kName);

struct NamedRecords {
    RecordKind kind;
    const char* table;
    const char* number;
    const char* name;
    // Whether its names are kept past an import. A warp point is looked up where it is now:
    // a large empire's warp points are too many to look through at each import.
    bool kept;
};

// Where each kind of record's number and name are read.
constexpr NamedRecords kNamed[] = {
    {RecordKind::Fleet, "Fleets", "FleetID", "FleetName", true},
    {RecordKind::Army, "Armies", "ArmyID", "ArmyName", true},
    {RecordKind::PopulationGroup, "\"Population Groups\"", "PopulationGroupID",
     "coalesce(SystemName, '') || '-' || coalesce(OrbitalLocation, '')", true},
    {RecordKind::Commander, "\"Legendary Commanders\"", "CommanderID", "CommanderName", true},
    {RecordKind::WarpPoint, "\"Warp Points\"", "WarpPointID", "DestinationStarName", false},
};

static_assert(kNamed[int(RecordKind::Fleet)].kind == RecordKind::Fleet &&
              kNamed[int(RecordKind::WarpPoint)].kind == RecordKind::WarpPoint);

const NamedRecords& namedOf(RecordKind kind)
{
    return kNamed[int(kind)];
}

// Numbers written into a statement: they are integers, and there may be thousands.
QString listed(const QList<int>& numbers)
{
    QStringList texts;
    texts.reserve(numbers.size());
    for (const int number : numbers)
        texts << QString::number(number);
    return texts.join(QLatin1Char(','));
}

// Every whole number the slots of the empire's orders hold.
QList<int> numbersInOrders(const Store& store, int empireId)
{
    QSet<int> numbers;
    for (const Order& order : OrderRepository(store).ordersOf(empireId)) {
        for (const QString& slot : order.slots) {
            bool isNumber = false;
            const int number = slot.trimmed().toInt(&isNumber);
            if (isNumber)
                numbers.insert(number);
        }
    }
    return QList<int>(numbers.cbegin(), numbers.cend());
}

} // namespace

void RecordNames::addTable(const Store& store)
{
    if (store.hasTable(kName))
        return;
    // Looked at again under the write lock: another copy of the program may be opening it too.
    Transaction transaction(store);
    if (store.hasTable(kName))
        return;
    store.run(QStringLiteral("CREATE TABLE %1 (EmpireID INTEGER NOT NULL, Kind INTEGER NOT NULL, "
                             "Number INTEGER NOT NULL, Name TEXT, "
                             "PRIMARY KEY (EmpireID, Kind, Number)) WITHOUT ROWID")
                  .arg(kTable));
    QList<int> empires;
    store.eachRow(QStringLiteral("SELECT DISTINCT EmpireID FROM Orders WHERE EmpireID IS NOT NULL"),
                  {}, [&empires](const StoredRow& row) { empires << int(row.number(0)); });
    for (const int empireId : empires)
        RecordNames(store).keepNamedByOrders(empireId);
    transaction.commit();
}

void RecordNames::keepNamedByOrders(int empireId) const
{
    const QList<int> numbers = numbersInOrders(m_store, empireId);
    if (numbers.isEmpty())
        return;
    for (const NamedRecords& named : kNamed) {
        if (!named.kept)
            continue;
        m_store.run(QStringLiteral("INSERT OR REPLACE INTO %1 (EmpireID, Kind, Number, Name) "
                                   "SELECT EmpireID, %2, %3, %4 FROM %5 WHERE EmpireID = ? "
                                   "AND %3 IN (%6)")
                        .arg(kTable)
                        .arg(int(named.kind))
                        .arg(QLatin1String(named.number), QLatin1String(named.name),
                             QLatin1String(named.table), listed(numbers)),
                    {empireId});
    }
}

QHash<int, QString> RecordNames::namesOf(int empireId, RecordKind kind,
                                         const QList<int>& numbers) const
{
    QHash<int, QString> names;
    if (numbers.isEmpty())
        return names;
    const NamedRecords& named = namedOf(kind);
    const auto take = [&names](const StoredRow& row) {
        names.insert(int(row.number(0)), row.text(1));
    };
    m_store.eachRow(QStringLiteral("SELECT %1, %2 FROM %3 WHERE EmpireID = ? AND %1 IN (%4)")
                        .arg(QLatin1String(named.number), QLatin1String(named.name),
                             QLatin1String(named.table), listed(numbers)),
                    {empireId}, take);
    QList<int> unknown;
    for (const int number : numbers) {
        if (!names.contains(number))
            unknown << number;
    }
    if (unknown.isEmpty() || !m_store.hasTable(kName))
        return names;
    m_store.eachRow(QStringLiteral("SELECT Number, Name FROM %1 WHERE EmpireID = ? AND Kind = ? "
                                   "AND Number IN (%2)")
                        .arg(kTable, listed(unknown)),
                    {empireId, int(kind)}, take);
    return names;
}

} // namespace vf
