#pragma once

#include "model/Order.h"

#include <QAbstractTableModel>
#include <QList>

namespace vf {

// The read-only grid of orders of an earlier turn, as Edit Orders shows orders: Priority, the
// order code and the 51 slots.
class SavedOrdersModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void show(QList<Order> orders);
    const QList<Order>& orders() const { return m_orders; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static constexpr int kPriorityColumn = 0;
    static constexpr int kCodeColumn = 1;

private:
    QList<Order> m_orders;
};

} // namespace vf
