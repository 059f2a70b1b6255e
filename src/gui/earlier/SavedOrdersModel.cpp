#include "SavedOrdersModel.h"

#include "common/OrderGridStyle.h"

#include <QApplication>

namespace vf {

void SavedOrdersModel::show(QList<Order> orders)
{
    beginResetModel();
    m_orders = std::move(orders);
    endResetModel();
}

int SavedOrdersModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_orders.size());
}

int SavedOrdersModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kCodeColumn + 1 + kSlotCount;
}

QVariant SavedOrdersModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_orders.size())
        return {};
    const OrderColumn column = index.column() == kPriorityColumn ? OrderColumn::Priority
                               : index.column() == kCodeColumn   ? OrderColumn::Code
                                                                 : OrderColumn::Other;
    if (const QVariant style = orderGridStyle(column, role, QApplication::font()); style.isValid())
        return style;
    if (role != Qt::DisplayRole)
        return {};
    const Order& order = m_orders.at(index.row());
    if (column == OrderColumn::Priority)
        return order.priority;
    if (column == OrderColumn::Code)
        return order.code;
    return order.slots.at(index.column() - kCodeColumn - 1);
}

QVariant SavedOrdersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section == kPriorityColumn)
        return QStringLiteral("Priority");
    if (section == kCodeColumn)
        return QStringLiteral("Order");
    return QString();
}

} // namespace vf
