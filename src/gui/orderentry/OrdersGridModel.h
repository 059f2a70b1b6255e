#pragma once

#include <QSqlQueryModel>

namespace vf {

class Store;

// The read-only grid of the order entry window: the empire's orders by rising priority,
// showing Priority, OrderCode and the 51 slots.
class OrdersGridModel final : public QSqlQueryModel {
    Q_OBJECT
public:
    OrdersGridModel(const Store& store, int empireId, QObject* parent = nullptr);

    void refresh();
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const Store& m_store;
    int m_empireId;
};

} // namespace vf
