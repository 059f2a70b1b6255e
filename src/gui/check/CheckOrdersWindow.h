#pragma once

#include "orders/OrderCheck.h"
#include "turndata/RecordsWithOrders.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class QLabel;
class QPushButton;
class QTableWidget;

namespace vf {

struct AppContext;
class Navigator;
class ScreenMetrics;
class SetAsideDialog;

// The findings of Check Orders, one row each: priority, order, slot, what is wrong, how to fix
// it. A finding opened by Enter or a double click shows its order in Edit Orders. Set Aside
// (a button, and the findings' context menu) asks to leave the current finding out; under the
// list, how many are set aside, and Show Set Aside lists them, each to be brought back.
class CheckOrdersWindow : public QWidget {
    Q_OBJECT
public:
    CheckOrdersWindow(const OrderCheckReport& report, int empireId, Navigator& navigator,
                      const ScreenMetrics& screen, QWidget* parent = nullptr);

    QTableWidget& findings() { return *m_findings; }
    // The list of the findings set aside, while it is open.
    SetAsideDialog* setAsideList() const;
    // Shows this report instead (the orders or the turn data changed, a finding was set aside or
    // brought back).
    void showReport(const OrderCheckReport& report);
    // Tells, under the report's summary, how many records have no order this turn (for the
    // player's information: it is no finding).
    void showWithoutOrders(const QList<RecordsWithoutOrders>& counts);

    // The one-line account of a report: "2 of your 5 orders will fail to execute; ...".
    static QString summaryOf(const OrderCheckReport& report);

Q_SIGNALS:
    void setAsideAsked(const vf::OrderFinding& finding);
    void bringBackAsked(const vf::OrderFinding& finding);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSummary();
    void fill(const OrderCheckReport& report);
    void fitTextColumns();
    void showFinding(int row);
    void showSetAsideCount();
    void setAsideCurrent();
    void offerSetAside(QPoint at);
    void openSetAsideList();

    int m_empireId;
    Navigator& m_navigator;
    QLabel* m_summary = nullptr;
    QString m_reportSummary;
    QString m_withoutOrders;
    QTableWidget* m_findings = nullptr;
    QPushButton* m_setAside = nullptr;
    QLabel* m_setAsideCount = nullptr;
    QPushButton* m_showSetAside = nullptr;
    QPointer<SetAsideDialog> m_setAsideList;
    QList<OrderFinding> m_shown;
    QList<OrderFinding> m_setAsideFindings;
};

// Checks the empire's orders and shows the report (see showCheckReport). A database failure
// throws vf::Error.
void openCheckOrders(AppContext& context, Navigator& navigator, std::optional<int> empireId,
                     QWidget* over);
// Says so when every checked order passed and none was set aside, else opens the findings over
// the window given.
void showCheckReport(AppContext& context, Navigator& navigator, int empireId,
                     const OrderCheckReport& report, QWidget* over);

} // namespace vf
