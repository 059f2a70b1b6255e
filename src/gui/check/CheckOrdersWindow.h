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
// it. Fix… (a button, Enter and the findings' context menu) asks to pick a fix for the current
// finding (Enter on one with none opens its order); Ctrl+Z asks to undo the last fix. A double
// click shows the finding's order in Edit Orders. Set Aside
// (a button, and the findings' context menu) asks to leave the current finding out; under the
// list, how many are set aside, and Show Set Aside lists them, each to be brought back.
class CheckOrdersWindow : public QWidget {
    Q_OBJECT
public:
    CheckOrdersWindow(const OrderCheckReport& report, int empireId, Navigator& navigator,
                      const ScreenMetrics& screen, QWidget* parent = nullptr);

    QTableWidget& findings() { return *m_findings; }
    const QList<OrderFinding>& shownFindings() const { return m_shown; }
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

    // Closes this window and shows the order in Edit Orders.
    void openInEditOrders(qint64 orderId);

Q_SIGNALS:
    void setAsideAsked(const vf::OrderFinding& finding);
    void bringBackAsked(const vf::OrderFinding& finding);
    // elseEdit: a finding with no fix is opened in Edit Orders instead of being told why.
    void fixAsked(const vf::OrderFinding& finding, bool elseEdit);
    void undoAsked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSummary();
    void fill(const OrderCheckReport& report);
    void fitTextColumns();
    void showFinding(int row);
    void showSetAsideCount();
    void setAsideCurrent();
    void fixCurrent(bool elseEdit);
    void offerActions(QPoint at);
    void openSetAsideList();

    int m_empireId;
    Navigator& m_navigator;
    QLabel* m_summary = nullptr;
    QString m_reportSummary;
    QString m_withoutOrders;
    QTableWidget* m_findings = nullptr;
    QPushButton* m_fix = nullptr;
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
