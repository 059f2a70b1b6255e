#include "SetAsideDialog.h"

#include "FindingsTable.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vf {

SetAsideDialog::SetAsideDialog(int empireId, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("SetAsideFindings"));
    setWindowTitle(QStringLiteral("Findings Set Aside - Empire # %1").arg(empireId));
    setAttribute(Qt::WA_DeleteOnClose);
    m_findings = new QTableWidget(this);
    setUpFindingsTable(m_findings, QStringLiteral("SetAsideList"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_bringBack = buttons->addButton(QStringLiteral("&Bring Back"), QDialogButtonBox::ActionRole);
    m_bringBack->setObjectName(QStringLiteral("BringBack"));
    m_bringBack->setAccessibleName(QStringLiteral("Bring Back"));
    connect(m_bringBack, &QPushButton::clicked, this, &SetAsideDialog::bringBackCurrent);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_findings, 1);
    layout->addWidget(buttons);
    resize(760, 300);
}

void SetAsideDialog::showFindings(const QList<OrderFinding>& findings)
{
    m_shown = findings;
    fillFindings(m_findings, findings);
    m_findings->resizeRowsToContents();
    m_bringBack->setEnabled(!findings.isEmpty());
}

void SetAsideDialog::bringBackCurrent()
{
    // (A copy: the list is made anew while it is brought back.)
    if (const std::optional<OrderFinding> finding = currentFinding(m_findings, m_shown))
        Q_EMIT bringBackAsked(*finding);
}

} // namespace vf
