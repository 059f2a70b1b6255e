#include "EarlierOrders.h"

#include "Error.h"
#include "ordersfile/OrdersArchive.h"
#include "store/EmpireOrderCheck.h"
#include "store/OrderRepository.h"

#include <QSet>

#include <algorithm>

namespace vf {

QString EarlierTurn::shownWhen() const
{
    const QString time = when.isValid() ? shownTime(when) : QStringLiteral("an unknown date");
    switch (kind) {
    case Kind::Cleared:
        return QStringLiteral("Cleared on %1 (not saved)").arg(time);
    case Kind::Damaged:
        return QStringLiteral("%1: damaged, cannot be read").arg(time);
    case Kind::Saved:
        break;
    }
    return time;
}

QString EarlierTurn::shownImport() const
{
    if (kind != Kind::Saved)
        return QString();
    if (!checkedAgainst.isValid())
        return QStringLiteral("no import");
    const QString import = QStringLiteral("the import of %1").arg(shownTime(checkedAgainst.when));
    return checkedAgainst.file.isEmpty()
               ? import
               : import + QStringLiteral(" (%1)").arg(checkedAgainst.file);
}

namespace {

EarlierTurn fromCopy(const OrdersArchive::Copy& copy)
{
    EarlierTurn turn;
    turn.path = copy.path;
    turn.when = copy.when;
    turn.version = copy.version;
    if (!copy.header) {
        turn.kind = EarlierTurn::Kind::Damaged;
        turn.damage = copy.damage;
        return turn;
    }
    turn.when = copy.header->saved;
    turn.checkedAgainst = copy.header->checkedAgainst;
    turn.orders = copy.header->orders;
    return turn;
}

} // namespace

QList<EarlierTurn> earlierTurns(const Store& store, const QString& dataFolder, int empireId)
{
    QList<EarlierTurn> turns;
    for (const OrdersArchive::Copy& copy : OrdersArchive(dataFolder).copies(empireId))
        turns << fromCopy(copy);
    const OrderRepository orders(store);
    if (const int cleared = orders.clearedCount(empireId); cleared > 0) {
        EarlierTurn turn;
        turn.kind = EarlierTurn::Kind::Cleared;
        turn.when = orders.clearedAt(empireId);
        turn.orders = cleared;
        turn.version = QStringLiteral("%1 %2").arg(turn.when.toString(Qt::ISODate)).arg(cleared);
        turns << turn;
    }
    // Newest first; orders cleared at a time not known first of all (they were cleared last).
    std::stable_sort(turns.begin(), turns.end(), [](const EarlierTurn& a, const EarlierTurn& b) {
        if (a.when.isValid() != b.when.isValid())
            return !a.when.isValid();
        return a.when > b.when;
    });
    return turns;
}

QList<Order> ordersOf(const Store& store, const EarlierTurn& turn, int empireId)
{
    if (turn.kind == EarlierTurn::Kind::Cleared)
        return OrderRepository(store).clearedOrders(empireId);
    return OrdersArchive::ordersIn(turn.path);
}

CopiedOrders copyToThisTurn(const Store& store, int empireId, const QList<Order>& orders)
{
    CopiedOrders copied;
    const OrderRepository repository(store);
    copied.afterOthers = repository.count(empireId) > 0;
    copied.stored = repository.appendCopies(empireId, orders);
    QSet<qint64> ids;
    for (const Order& order : copied.stored)
        ids.insert(order.id);
    copied.report = checkEmpireOrders(store, empireId);
    QSet<qint64> failing;
    for (const OrderFinding& finding : copied.report.findings) {
        if (finding.severity == OrderFinding::Severity::Error && ids.contains(finding.orderId))
            failing.insert(finding.orderId);
    }
    copied.failing = int(failing.size());
    return copied;
}

} // namespace vf
