#pragma once

#include "orders/OrderCheck.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace vf {

// The findings of Check Orders the player set aside, each to be brought back to the list and
// to the counts with Bring Back.
class SetAsideDialog : public QDialog {
    Q_OBJECT
public:
    SetAsideDialog(int empireId, QWidget* parent);

    QTableWidget& findings() { return *m_findings; }
    void showFindings(const QList<OrderFinding>& findings);

Q_SIGNALS:
    void bringBackAsked(const vf::OrderFinding& finding);

private:
    void bringBackCurrent();

    QTableWidget* m_findings = nullptr;
    QPushButton* m_bringBack = nullptr;
    QList<OrderFinding> m_shown;
};

} // namespace vf
