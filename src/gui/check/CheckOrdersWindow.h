#pragma once

#include "orders/OrderCheck.h"

#include <QWidget>

#include <optional>

class QTableWidget;

namespace vf {

struct AppContext;
class Navigator;

// The findings of Check Orders, one row each: priority, order, slot, what is wrong, how to fix
// it. A finding opened by Enter or a double click shows its order in Edit Orders.
class CheckOrdersWindow : public QWidget {
    Q_OBJECT
public:
    CheckOrdersWindow(const OrderCheckReport& report, int empireId, Navigator& navigator,
                      QWidget* parent = nullptr);

    QTableWidget& findings() { return *m_findings; }

    // The one-line account of a report: "2 of your 5 orders will fail to execute; ...".
    static QString summaryOf(const OrderCheckReport& report);

private:
    void fill(const OrderCheckReport& report);
    void showFinding(int row);

    int m_empireId;
    Navigator& m_navigator;
    QTableWidget* m_findings = nullptr;
    QList<qint64> m_orderIds;
};

// Checks the empire's orders: says so when every one passes, else opens the findings
// (over the window given). A database failure throws vf::Error.
void openCheckOrders(AppContext& context, Navigator& navigator, std::optional<int> empireId,
                     QWidget* over);

} // namespace vf
