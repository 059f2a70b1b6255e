#include "OrderRepository.h"

#include "Error.h"
#include "Store.h"

#include <QStringList>

#include <limits>

namespace vf {

namespace {

QString slotFieldList()
{
    QStringList fields;
    for (int k = 1; k <= kSlotCount; ++k)
        fields << OrderRepository::slotField(k);
    return fields.join(QStringLiteral(", "));
}

} // namespace

int OrderRepository::count(int empireId) const
{
    QSqlQuery query =
        m_store.run(QStringLiteral("SELECT count(*) FROM Orders WHERE EmpireID = ?"), {empireId});
    return query.next() ? query.value(0).toInt() : 0;
}

QList<Order> OrderRepository::ordersOf(int empireId) const
{
    return ordersIn(QStringLiteral("Orders"), empireId);
}

std::optional<Order> OrderRepository::find(int empireId, qint64 orderId) const
{
    const QList<Order> found =
        read(QStringLiteral("Orders"), QStringLiteral("EmpireID = ? AND OrderID = ?"),
             {empireId, orderId});
    return found.isEmpty() ? std::nullopt : std::optional<Order>(found.first());
}

QList<Order> OrderRepository::ordersIn(const QString& table, int empireId,
                                       qint64 abovePriority) const
{
    return read(table, QStringLiteral("EmpireID = ? AND Priority > ?"), {empireId, abovePriority});
}

QList<Order> OrderRepository::read(const QString& table, const QString& condition,
                                   std::initializer_list<QVariant> values) const
{
    constexpr int kFirstSlot = 3;
    QList<Order> orders;
    m_store.eachRow(QStringLiteral("SELECT Priority, OrderCode, OrderID, %1 FROM %2 "
                                   "WHERE %3 ORDER BY Priority, OrderID")
                        .arg(slotFieldList(), Store::quoted(table), condition),
                    values, [&orders](const StoredRow& row) {
                        Order order;
                        order.priority = int(row.number(0));
                        order.code = row.text(1);
                        order.id = row.number(2);
                        for (int k = 0; k < kSlotCount; ++k)
                            order.slots[k] = row.text(kFirstSlot + k);
                        orders.append(order);
                    });
    return orders;
}

bool OrderRepository::replaceSlot(qint64 orderId, int slot, const QString& was,
                                  const QString& value) const
{
    const QString field = slotField(slot);
    QSqlQuery query = m_store.run(
        QStringLiteral("UPDATE Orders SET %1 = ? WHERE OrderID = ? AND %1 IS ?").arg(field),
        {value, orderId, was.isNull() ? QVariant() : QVariant(was)});
    return query.numRowsAffected() == 1;
}

int OrderRepository::append(int empireId, const QString& code,
                            const std::array<QString, kSlotCount>& slots) const
{
    Transaction transaction(m_store);
    const int priority = appendInside(empireId, code, slots);
    transaction.commit();
    return priority;
}

QList<int> OrderRepository::appendAll(int empireId, const QList<NewOrder>& orders) const
{
    Transaction transaction(m_store);
    QList<int> priorities;
    for (const NewOrder& order : orders)
        priorities << appendInside(empireId, order.code, order.slots);
    transaction.commit();
    return priorities;
}

QList<Order> OrderRepository::appendCopies(int empireId, const QList<Order>& orders) const
{
    Transaction transaction(m_store);
    QSqlQuery highest = m_store.run(
        QStringLiteral("SELECT coalesce(max(Priority), ?) FROM Orders WHERE EmpireID = ?"),
        {std::numeric_limits<qint32>::min(), empireId});
    const qint64 top = highest.next() ? highest.value(0).toLongLong() : 0;
    highest.finish();
    for (const Order& order : orders)
        appendInside(empireId, order.code, order.slots);
    // Every order above the highest before is one of the copies, in their sequence.
    const QList<Order> stored = ordersIn(QStringLiteral("Orders"), empireId, top);
    const auto same = [](const QString& a, const QString& b) {
        return a == b && a.isNull() == b.isNull();
    };
    bool whole = stored.size() == orders.size();
    for (qsizetype i = 0; whole && i < stored.size(); ++i) {
        whole = same(stored[i].code, orders[i].code);
        for (int k = 0; whole && k < kSlotCount; ++k)
            whole = same(stored[i].slots[k], orders[i].slots[k]);
    }
    if (!whole)
        throw Error(QStringLiteral("The orders could not be copied to Empire # %1: they did not "
                                   "read back from the turn entry database as they were. Nothing "
                                   "was stored.")
                        .arg(empireId));
    transaction.commit();
    return stored;
}

int OrderRepository::appendInside(int empireId, const QString& code,
                                  const std::array<QString, kSlotCount>& slots) const
{
    QSqlQuery highest = m_store.run(
        QStringLiteral("SELECT max(Priority) FROM Orders WHERE EmpireID = ?"), {empireId});
    const QVariant top = highest.next() ? highest.value(0) : QVariant();
    highest.finish();
    // Computed wide: the listing editor accepts priorities up to the 32-bit limit.
    const qint64 next = top.isNull() ? 10 : top.toLongLong() + 10;
    if (next > std::numeric_limits<int>::max())
        throw Error(QStringLiteral("The order could not be stored: the highest Priority of this "
                                   "Empire's orders is %1, and the next one would be beyond %2, "
                                   "the highest Priority this program can store. Lower the "
                                   "Priorities in Edit Orders, then store the order again.")
                        .arg(top.toLongLong())
                        .arg(std::numeric_limits<int>::max()));
    const int priority = static_cast<int>(next);

    QStringList marks;
    for (int k = 0; k < kSlotCount + 3; ++k)
        marks << QStringLiteral("?");
    QSqlQuery insert = m_store.prepare(
        QStringLiteral("INSERT INTO Orders (EmpireID, Priority, OrderCode, %1) VALUES (%2)")
            .arg(slotFieldList(), marks.join(QStringLiteral(", "))));
    insert.addBindValue(empireId);
    insert.addBindValue(priority);
    insert.addBindValue(code);
    for (const QString& slot : slots)
        insert.addBindValue(slot);
    m_store.execute(insert);
    return priority;
}

int OrderRepository::clear(int empireId, const QDateTime& when) const
{
    Transaction transaction(m_store);
    m_store.setSetting(Setting::ordersCleared(empireId), when.toString(Qt::ISODate));
    // What was cleared before goes; what is cleared now is kept until the next time.
    m_store.run(QStringLiteral("DELETE FROM \"Cleared Orders\" WHERE EmpireID = ?"), {empireId});
    m_store.run(QStringLiteral("INSERT INTO \"Cleared Orders\" SELECT * FROM Orders "
                               "WHERE EmpireID = ?"),
                {empireId});
    QSqlQuery query =
        m_store.run(QStringLiteral("DELETE FROM Orders WHERE EmpireID = ?"), {empireId});
    const int deleted = query.numRowsAffected();
    transaction.commit();
    return deleted;
}

int OrderRepository::clearedCount(int empireId) const
{
    QSqlQuery query = m_store.run(
        QStringLiteral("SELECT count(*) FROM \"Cleared Orders\" WHERE EmpireID = ?"), {empireId});
    return query.next() ? query.value(0).toInt() : 0;
}

QList<Order> OrderRepository::clearedOrders(int empireId) const
{
    return ordersIn(QStringLiteral("Cleared Orders"), empireId);
}

QDateTime OrderRepository::clearedAt(int empireId) const
{
    return QDateTime::fromString(m_store.setting(Setting::ordersCleared(empireId)), Qt::ISODate);
}

int OrderRepository::restoreCleared(int empireId) const
{
    Transaction transaction(m_store);
    QSqlQuery highest = m_store.run(
        QStringLiteral("SELECT (SELECT coalesce(max(Priority), 0) FROM Orders WHERE EmpireID = ?), "
                       "(SELECT coalesce(max(Priority), 0) FROM \"Cleared Orders\" "
                       "WHERE EmpireID = ?)"),
        {empireId, empireId});
    highest.next();
    const qint64 offset = highest.value(0).toLongLong();
    if (offset + highest.value(1).toLongLong() > std::numeric_limits<qint32>::max())
        throw Error(QStringLiteral("The cleared orders cannot be added after the orders of "
                                   "Empire # %1: their Priorities would pass %2. Lower the "
                                   "Priorities in Edit Orders first.")
                        .arg(empireId)
                        .arg(std::numeric_limits<qint32>::max()));
    QSqlQuery restored = m_store.run(
        QStringLiteral("INSERT INTO Orders (EmpireID, Priority, OrderCode, %1) "
                       "SELECT EmpireID, Priority + ?, OrderCode, %1 FROM \"Cleared Orders\" "
                       "WHERE EmpireID = ? ORDER BY Priority, OrderID")
            .arg(slotFieldList()),
        {offset, empireId});
    const int count = restored.numRowsAffected();
    m_store.run(QStringLiteral("DELETE FROM \"Cleared Orders\" WHERE EmpireID = ?"), {empireId});
    m_store.setSetting(Setting::ordersCleared(empireId), QString());
    transaction.commit();
    return count;
}

void OrderRepository::putBack(int empireId, const QList<Order>& orders) const
{
    Transaction transaction(m_store);
    QSqlQuery insert = m_store.prepare(
        QStringLiteral("INSERT INTO Orders (OrderID, EmpireID, Priority, OrderCode, %1) "
                       "VALUES (?, ?, ?, ?%2)")
            .arg(slotFieldList(), QStringLiteral(", ?").repeated(kSlotCount)));
    for (const Order& order : orders) {
        // The order's own key when it is still free: orders of one priority keep their sequence.
        QSqlQuery taken =
            m_store.run(QStringLiteral("SELECT 1 FROM Orders WHERE OrderID = ?"), {order.id});
        int at = 0;
        insert.bindValue(at++, taken.next() ? QVariant() : QVariant(order.id));
        insert.bindValue(at++, empireId);
        insert.bindValue(at++, order.priority);
        insert.bindValue(at++, order.code);
        for (const QString& slot : order.slots)
            insert.bindValue(at++, slot);
        m_store.execute(insert);
    }
    transaction.commit();
}

void OrderRepository::blankFill(int empireId) const
{
    QStringList assignments;
    for (int k = 1; k <= kSlotCount; ++k)
        assignments << QStringLiteral(
                           "%1 = CASE WHEN %1 IS NULL OR length(%1) = 0 THEN ' ' ELSE %1 END")
                           .arg(slotField(k));
    Transaction transaction(m_store);
    m_store.run(QStringLiteral("UPDATE Orders SET %1 WHERE EmpireID = ?")
                    .arg(assignments.join(QStringLiteral(", "))),
                {empireId});
    transaction.commit();
}

} // namespace vf
