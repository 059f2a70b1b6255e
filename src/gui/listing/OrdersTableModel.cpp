#include "OrdersTableModel.h"

#include <QHash>

#include "common/OrderGridStyle.h"
#include "orders/NumberReading.h"
#include "store/Store.h"

#include <QApplication>
#include <QSqlError>
#include <QSqlRecord>
#include <algorithm>

namespace vf {

OrdersTableModel::OrdersTableModel(const Store& store, int empireId, ShowMessage showMessage,
                                   QObject* parent)
    : QSqlTableModel(parent, store.database())
    , m_showMessage(std::move(showMessage))
    , m_path(store.path())
{
    setTable(QStringLiteral("Orders"));
    setEditStrategy(QSqlTableModel::OnFieldChange);
    setFilter(QStringLiteral("EmpireID = %1").arg(empireId));
    m_priority = record().indexOf(QStringLiteral("Priority"));
    m_code = record().indexOf(QStringLiteral("OrderCode"));
    setSort(m_priority, Qt::AscendingOrder);
    refresh();
}

void OrdersTableModel::reportFailure(const QString& what)
{
    m_showMessage(QStringLiteral("Could not %1 in the turn entry database %2:\n%3")
                      .arg(what, m_path, lastError().text()));
}

void OrdersTableModel::refresh()
{
    if (!select())
        reportFailure(QStringLiteral("read the orders"));
    while (canFetchMore())
        fetchMore();
}

void OrdersTableModel::deleteRows(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<>());
    for (int row : rows) {
        if (!removeRow(row)) {
            reportFailure(QStringLiteral("delete the order"));
            break;
        }
    }
    refresh();
}

Order OrdersTableModel::orderAt(int row) const
{
    const QSqlRecord stored = record(row);
    Order order;
    order.id = stored.value(QStringLiteral("OrderID")).toLongLong();
    order.priority = stored.value(QStringLiteral("Priority")).toInt();
    order.code = stored.value(QStringLiteral("OrderCode")).toString();
    for (int slot = 1; slot <= kSlotCount; ++slot)
        order.slots[slot - 1] = stored.value(QStringLiteral("i%1").arg(slot)).toString();
    return order;
}

bool OrdersTableModel::showsStored(const QList<Order>& stored) const
{
    if (stored.size() != rowCount())
        return false;
    QHash<qint64, const Order*> byId;
    for (const Order& order : stored)
        byId.insert(order.id, &order);
    for (int row = 0; row < rowCount(); ++row) {
        const Order shown = orderAt(row);
        const Order* held = byId.value(shown.id);
        if (!held || held->priority != shown.priority || held->code != shown.code ||
            held->slots != shown.slots)
            return false;
    }
    return true;
}

QVariant OrdersTableModel::data(const QModelIndex& index, int role) const
{
    const OrderColumn column = index.column() == m_code ? OrderColumn::Code : OrderColumn::Other;
    const QVariant style = orderGridStyle(column, role, QApplication::font());
    return style.isValid() ? style : QSqlTableModel::data(index, role);
}

bool OrdersTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole)
        return QSqlTableModel::setData(index, value, role);
    QVariant stored = value;
    if (index.column() == m_priority) {
        const auto priority = wholeNumber(value.toString());
        if (!priority) {
            m_showMessage(QStringLiteral("\"%1\" is not a whole number. The Priority of an order "
                                         "must be a whole number such as 15; the order keeps its "
                                         "Priority.")
                              .arg(value.toString()));
            return false;
        }
        stored = *priority;
    } else if (value.toString().isEmpty()) {
        stored = QStringLiteral(""); // zero-length text, never a missing value
    }
    if (QSqlTableModel::setData(index, stored, role))
        return true;
    reportFailure(QStringLiteral("change the order"));
    revertAll();
    return false;
}

QVariant OrdersTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        if (section == m_code)
            return QStringLiteral("Order");
        if (section > m_code)
            return QString();
    }
    return QSqlTableModel::headerData(section, orientation, role);
}

} // namespace vf
