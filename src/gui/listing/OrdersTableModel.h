#pragma once

#include "model/Order.h"

#include <QSqlTableModel>
#include <functional>

namespace vf {

class Store;

// The editable grid of the listing editor over one empire's orders, sorted by priority.
// Edits go straight to the database. A priority that is not a whole number is refused; a
// slot edited to nothing is stored as zero-length text.
class OrdersTableModel final : public QSqlTableModel {
    Q_OBJECT
public:
    using ShowMessage = std::function<void(const QString&)>;

    OrdersTableModel(const Store& store, int empireId, ShowMessage showMessage,
                     QObject* parent = nullptr);

    int priorityColumn() const { return m_priority; }
    int codeColumn() const { return m_code; }
    int firstSlotColumn() const { return m_code + 1; }

    // Re-reads the orders, sorted by priority.
    void refresh();
    // Deletes the orders shown on the given rows.
    void deleteRows(QList<int> rows);
    // The order shown on a row, as stored.
    Order orderAt(int row) const;
    // Whether the rows hold what the orders hold (in whatever sequence the grid shows them):
    // false once another window changed, added or deleted an order.
    bool showsStored(const QList<Order>& stored) const;

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void reportFailure(const QString& what);

    ShowMessage m_showMessage;
    QString m_path;
    int m_priority = -1;
    int m_code = -1;
};

} // namespace vf
