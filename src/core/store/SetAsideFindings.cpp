#include "SetAsideFindings.h"

#include "OrderRepository.h"
#include "Store.h"

#include <QStringList>

namespace vf {

namespace {

const QString kName = QStringLiteral("Set Aside Findings");
const QString kTable = Store::quoted(kName);

// An empty slot and a slot of blanks are one (see orderPrint).
QString slotAsPrinted(const QString& row, int slot)
{
    return QStringLiteral("CASE WHEN trim(coalesce(%1.%2, '')) = '' THEN '' ELSE %1.%2 END")
        .arg(row, OrderRepository::slotField(slot));
}

QString orderChanged()
{
    QStringList changes{QStringLiteral("old.OrderID IS NOT new.OrderID"),
                        QStringLiteral("old.EmpireID IS NOT new.EmpireID"),
                        QStringLiteral("old.Priority IS NOT new.Priority"),
                        QStringLiteral("old.OrderCode IS NOT new.OrderCode")};
    for (int slot = 1; slot <= kSlotCount; ++slot)
        changes << QStringLiteral("%1 IS NOT %2")
                       .arg(slotAsPrinted(QStringLiteral("old"), slot),
                            slotAsPrinted(QStringLiteral("new"), slot));
    return changes.join(QStringLiteral(" OR "));
}

} // namespace

void SetAsideFindings::addTable(const Store& store)
{
    store.run(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (OrderID INTEGER NOT NULL, "
                             "Slot INTEGER NOT NULL, Problem TEXT NOT NULL, "
                             "OrderPrint TEXT NOT NULL, PRIMARY KEY (OrderID, Slot, Problem))")
                  .arg(kTable));
    const QString drop = QStringLiteral("DELETE FROM %1 WHERE OrderID = old.OrderID;").arg(kTable);
    store.run(QStringLiteral("CREATE TRIGGER IF NOT EXISTS \"Set aside findings go with their "
                             "order\" AFTER DELETE ON Orders BEGIN %1 END")
                  .arg(drop));
    store.run(QStringLiteral("CREATE TRIGGER IF NOT EXISTS \"Set aside findings go when their "
                             "order changes\" AFTER UPDATE ON Orders WHEN %1 BEGIN %2 END")
                  .arg(orderChanged(), drop));
}

QSet<SetAsideKey> SetAsideFindings::of(int empireId) const
{
    QSet<SetAsideKey> keys;
    if (!m_store.hasTable(kName))
        return keys;
    m_store.eachRow(QStringLiteral("SELECT a.OrderID, a.Slot, a.Problem, a.OrderPrint FROM %1 a "
                                   "JOIN Orders o ON o.OrderID = a.OrderID WHERE o.EmpireID = ?")
                        .arg(kTable),
                    {empireId}, [&keys](const StoredRow& row) {
                        keys.insert({row.number(0), int(row.number(1)), row.text(2), row.text(3)});
                    });
    return keys;
}

int SetAsideFindings::count() const
{
    if (!m_store.hasTable(kName))
        return 0;
    QSqlQuery query = m_store.run(QStringLiteral("SELECT count(*) FROM %1").arg(kTable));
    return query.next() ? query.value(0).toInt() : 0;
}

void SetAsideFindings::setAside(const OrderFinding& finding) const
{
    m_store.run(
        QStringLiteral("INSERT OR REPLACE INTO %1 (OrderID, Slot, Problem, OrderPrint) "
                       "SELECT ?, ?, ?, ? WHERE EXISTS "
                       "(SELECT 1 FROM Orders WHERE OrderID = ?)")
            .arg(kTable),
        {finding.orderId, finding.slot, finding.problem, finding.orderPrint, finding.orderId});
}

void SetAsideFindings::bringBack(const OrderFinding& finding) const
{
    m_store.run(
        QStringLiteral("DELETE FROM %1 WHERE OrderID = ? AND Slot = ? AND Problem = ?").arg(kTable),
        {finding.orderId, finding.slot, finding.problem});
}

} // namespace vf
