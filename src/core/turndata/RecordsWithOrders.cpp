#include "RecordsWithOrders.h"

#include "ShownTables.h"
#include "Wording.h"
#include "orders/OrderCheck.h"
#include "store/OrderRepository.h"
#include "store/Store.h"

#include <QHash>
#include <QStringList>

namespace vf {

namespace {

QString countOfKind(RecordKind kind, int count)
{
    static const char* const ones[] = {"fleet", "army", "population group", "commander",
                                       "warp point"};
    static const char* const manies[] = {"fleets", "armies", "population groups", "commanders",
                                         "warp points"};
    return countOf(count, QLatin1String(ones[int(kind)]), QLatin1String(manies[int(kind)]));
}

// How many of the empire's records of the kind are not among the numbers given.
int countOthers(const Store& store, int empireId, RecordKind kind, const QSet<int>& numbers)
{
    const ShownTable& table = shownTable(kind);
    int count = 0;
    store.eachRow(
        QStringLiteral("SELECT %1 FROM %2 WHERE EmpireID = ?")
            .arg(Store::quoted(table.columns[table.keyColumn()].field), Store::quoted(table.table)),
        {empireId}, [&](const StoredRow& row) {
            const auto number = leadingRecordNumber(row.text(0));
            count += !number || !numbers.contains(*number);
        });
    return count;
}

} // namespace

std::optional<int> leadingRecordNumber(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start].isSpace())
        ++start;
    qsizetype end = start;
    while (end < text.size() && text[end] >= QLatin1Char('0') && text[end] <= QLatin1Char('9'))
        ++end;
    bool read = false;
    const int number = QStringView(text).mid(start, end - start).toInt(&read);
    return read ? std::optional<int>(number) : std::nullopt;
}

QSet<int> recordsNamed(const QList<Order>& orders, RecordKind kind)
{
    QHash<QString, int> slotOf;
    for (const SlotUse& use : slotsTaking(kind))
        slotOf.insert(use.code, use.slot);
    QSet<int> named;
    for (const Order& order : orders) {
        const auto slot = slotOf.constFind(order.code);
        if (slot == slotOf.cend())
            continue;
        if (const auto number = leadingRecordNumber(order.slots[std::size_t(*slot - 1)]))
            named.insert(*number);
    }
    return named;
}

QList<RecordsWithoutOrders> withoutOrders(const Store& store, int empireId)
{
    const QList<Order> orders = OrderRepository(store).ordersOf(empireId);
    QList<RecordsWithoutOrders> counts;
    for (const RecordKind kind : kOrderedKinds)
        counts << RecordsWithoutOrders{
            kind, countOthers(store, empireId, kind, recordsNamed(orders, kind))};
    return counts;
}

QString withoutOrdersLine(const QList<RecordsWithoutOrders>& counts)
{
    QStringList parts;
    int total = 0;
    for (const RecordsWithoutOrders& without : counts) {
        if (without.count > 0)
            parts << countOfKind(without.kind, without.count);
        total += without.count;
    }
    if (parts.isEmpty())
        return QStringLiteral(
            "Every fleet, army, population group and commander has an order this turn.");
    return QStringLiteral("%1 %2 no order this turn.")
        .arg(parts.join(QStringLiteral(", ")),
             total == 1 ? QStringLiteral("has") : QStringLiteral("have"));
}

} // namespace vf
