#pragma once

#include "model/Order.h"

#include <QList>
#include <QWidget>

class QTableView;

namespace vf {

struct AppContext;
class Navigator;
class OrdersTableModel;

// The order listing editor: the empire's orders in one grid where any field can be changed
// in place and whole orders deleted; Refresh Order Listing re-sorts them by priority.
class OrderListingWindow : public QWidget {
    Q_OBJECT
public:
    OrderListingWindow(AppContext& context, Navigator& navigator, int empireId,
                       QWidget* parent = nullptr);

    OrdersTableModel& model() { return *m_model; }
    // Selects the row of that order and brings it into view.
    void selectOrder(qint64 orderId);
    QTableView& grid() { return *m_grid; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildButtons(QWidget* body);
    void checkOrders();
    void formatGrid();
    void deleteSelectedOrders();
    // Ctrl+Z: the orders deleted last in this visit come back, one deletion at a time.
    void undoDeletion();
    // Another window changed the orders (a fix of Check Orders, orders copied or stored): the
    // grid is read again, on the same order. Its own changes are shown already and keep their
    // places until Refresh Order Listing.
    void followChangesElsewhere();

    AppContext& m_context;
    Navigator& m_navigator;
    int m_empireId;
    QTableView* m_grid = nullptr;
    OrdersTableModel* m_model = nullptr;
    QList<QList<Order>> m_deleted;
};

} // namespace vf
