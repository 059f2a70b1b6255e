#pragma once

#include "orders/OrderCheck.h"
#include "turndata/RecordsWithOrders.h"

#include <QWidget>

#include <optional>

class QLabel;
class QTableWidget;

namespace vf {

struct AppContext;
class Navigator;
class ScreenMetrics;

// The findings of Check Orders, one row each: priority, order, slot, what is wrong, how to fix
// it. A finding opened by Enter or a double click shows its order in Edit Orders.
class CheckOrdersWindow : public QWidget {
    Q_OBJECT
public:
    CheckOrdersWindow(const OrderCheckReport& report, int empireId, Navigator& navigator,
                      const ScreenMetrics& screen, QWidget* parent = nullptr);

    QTableWidget& findings() { return *m_findings; }
    // Shows this report instead (the orders or the turn data changed).
    void showReport(const OrderCheckReport& report);
    // Tells, under the report's summary, how many records have no order this turn (for the
    // player's information: it is no finding).
    void showWithoutOrders(const QList<RecordsWithoutOrders>& counts);

    // The one-line account of a report: "2 of your 5 orders will fail to execute; ...".
    static QString summaryOf(const OrderCheckReport& report);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSummary();
    void fill(const OrderCheckReport& report);
    void fitTextColumns();
    void showFinding(int row);

    int m_empireId;
    Navigator& m_navigator;
    QLabel* m_summary = nullptr;
    QString m_reportSummary;
    QString m_withoutOrders;
    QTableWidget* m_findings = nullptr;
    QList<qint64> m_orderIds;
};

// Checks the empire's orders and shows the report (see showCheckReport). A database failure
// throws vf::Error.
void openCheckOrders(AppContext& context, Navigator& navigator, std::optional<int> empireId,
                     QWidget* over);
// Says so when every checked order passed, else opens the findings over the window given.
void showCheckReport(AppContext& context, Navigator& navigator, int empireId,
                     const OrderCheckReport& report, QWidget* over);

} // namespace vf
