#include "FixDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vf {

FixDialog::FixDialog(const OrderFinding& finding, const FixOffer& offer, QWidget* parent)
    : QDialog(parent)
    , m_offered(offer.choices)
{
    setObjectName(QStringLiteral("FixChoices"));
    setWindowTitle(
        QStringLiteral("Fix - %1 order at Priority %2").arg(finding.code).arg(finding.priority));
    auto* problem = new QLabel(finding.problem, this);
    problem->setObjectName(QStringLiteral("FixProblem"));
    problem->setWordWrap(true);
    auto* prompt = new QLabel(
        QStringLiteral("&Put in slot %1 (%2):").arg(offer.slot).arg(offer.slotName.trimmed()),
        this);
    m_choices = new QListWidget(this);
    m_choices->setObjectName(QStringLiteral("FixChoiceList"));
    prompt->setBuddy(m_choices);
    for (const FixChoice& choice : offer.choices)
        m_choices->addItem(choice.label);
    m_choices->setCurrentRow(0);
    connect(m_choices, &QListWidget::itemActivated, this, [this] { finish(Picked); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* fix = buttons->addButton(QStringLiteral("&Fix"), QDialogButtonBox::AcceptRole);
    fix->setObjectName(QStringLiteral("ApplyFix"));
    fix->setDefault(true);
    QPushButton* edit =
        buttons->addButton(QStringLiteral("Open in &Edit Orders"), QDialogButtonBox::ActionRole);
    edit->setObjectName(QStringLiteral("EditOrder"));
    connect(fix, &QPushButton::clicked, this, [this] { finish(Picked); });
    connect(edit, &QPushButton::clicked, this, [this] { finish(EditOrder); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(problem);
    layout->addWidget(prompt);
    layout->addWidget(m_choices, 1);
    layout->addWidget(buttons);
    resize(560, 380);
}

std::optional<FixChoice> FixDialog::picked() const
{
    const int row = m_choices->currentRow();
    if (m_outcome != Picked || row < 0 || row >= m_offered.size())
        return std::nullopt;
    return m_offered.at(row);
}

void FixDialog::finish(Outcome outcome)
{
    m_outcome = outcome;
    if (outcome == Picked && m_choices->currentRow() < 0)
        return;
    accept();
}

} // namespace vf
