#include "CheckOrdersWindow.h"

#include "FindingFixer.h"
#include "FindingsTable.h"
#include "SetAsideDialog.h"
#include "Wording.h"
#include "common/AppContext.h"
#include "common/CloseOnEscape.h"
#include "common/Dialogs.h"
#include "common/GuardedAction.h"
#include "common/Navigator.h"
#include "common/ProgramKeys.h"
#include "common/ScreenMetrics.h"
#include "common/StoreFollower.h"
#include "store/EmpireOrderCheck.h"
#include "store/OrderRepository.h"
#include "store/SetAsideFindings.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vf {

namespace {

const QString kTitle = QStringLiteral("Imperial Advisor Report");

// Enter on a finding asks for its fix.
class EnterFixes : public QObject {
public:
    EnterFixes(QTableWidget* table, std::function<void()> fix)
        : QObject(table)
        , m_table(table)
        , m_fix(std::move(fix))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key != Qt::Key_Return && key != Qt::Key_Enter) || m_table->currentRow() < 0)
            return false;
        m_fix();
        return true;
    }

private:
    QTableWidget* m_table;
    std::function<void()> m_fix;
};

} // namespace

CheckOrdersWindow::CheckOrdersWindow(const OrderCheckReport& report, int empireId,
                                     Navigator& navigator, const ScreenMetrics& screen,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_empireId(empireId)
    , m_navigator(navigator)
{
    setObjectName(QStringLiteral("CheckOrders"));
    setWindowTitle(QStringLiteral("Check Orders - Empire # %1").arg(empireId));
    setAttribute(Qt::WA_DeleteOnClose);
    closeOnEscape(this);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("Summary"));
    m_summary->setWordWrap(true);
    m_findings = new QTableWidget(this);
    setUpFindingsTable(m_findings, QStringLiteral("Findings"));
    m_findings->viewport()->installEventFilter(this);
    m_findings->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_findings, &QWidget::customContextMenuRequested, this,
            &CheckOrdersWindow::offerActions);
    m_fix = new QPushButton(QStringLiteral("Fi&x\u2026"), this);
    m_fix->setObjectName(QStringLiteral("FixFinding"));
    connect(m_fix, &QPushButton::clicked, this, [this] { fixCurrent(false); });
    auto* undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, this, &CheckOrdersWindow::undoAsked);
    m_setAside = new QPushButton(QStringLiteral("Set &Aside"), this);
    m_setAside->setObjectName(QStringLiteral("SetAside"));
    connect(m_setAside, &QPushButton::clicked, this, &CheckOrdersWindow::setAsideCurrent);
    m_setAsideCount = new QLabel(this);
    m_setAsideCount->setObjectName(QStringLiteral("SetAsideCount"));
    m_showSetAside = new QPushButton(QStringLiteral("&Show Set Aside"), this);
    m_showSetAside->setObjectName(QStringLiteral("ShowSetAside"));
    connect(m_showSetAside, &QPushButton::clicked, this, &CheckOrdersWindow::openSetAsideList);
    showReport(report);
    addProgramKeys(this, navigator, empireId);
    connect(m_findings, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { showFinding(row); });
    m_findings->installEventFilter(new EnterFixes(m_findings, [this] { fixCurrent(true); }));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_fix);
    bottom->addWidget(m_setAside);
    bottom->addStretch(1);
    bottom->addWidget(m_setAsideCount);
    bottom->addWidget(m_showSetAside);
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_findings, 1);
    layout->addLayout(bottom);
    resize(fittedToScreen(QSize(900, 420), screen));
}

QString CheckOrdersWindow::summaryOf(const OrderCheckReport& report)
{
    int warnings = 0;
    int notes = 0;
    for (const OrderFinding& finding : report.findings) {
        warnings += finding.severity == OrderFinding::Severity::Warning;
        notes += finding.severity == OrderFinding::Severity::Note;
    }
    return QStringLiteral("%1 of your %2 will fail to execute; %3, %4.")
        .arg(report.failingOrders())
        .arg(countOf(report.orders, QStringLiteral("order"), QStringLiteral("orders")),
             countOf(warnings, QStringLiteral("warning"), QStringLiteral("warnings")),
             countOf(notes, QStringLiteral("note"), QStringLiteral("notes")));
}

void CheckOrdersWindow::showReport(const OrderCheckReport& report)
{
    m_reportSummary =
        summaryOf(report) +
        QStringLiteral(" Press Enter on a finding, or Fix\u2026, to pick a fix from the "
                       "turn data (Ctrl+Z puts it back); double-click it to change "
                       "its order in Edit Orders; Set Aside leaves one out until "
                       "its order is changed.");
    showSummary();
    fill(report);
    m_setAsideFindings = report.setAside;
    showSetAsideCount();
}

void CheckOrdersWindow::showWithoutOrders(const QList<RecordsWithoutOrders>& counts)
{
    m_withoutOrders = withoutOrdersLine(counts);
    showSummary();
}

void CheckOrdersWindow::showSummary()
{
    m_summary->setText(m_withoutOrders.isEmpty()
                           ? m_reportSummary
                           : m_reportSummary + QLatin1Char('\n') + m_withoutOrders);
}

void CheckOrdersWindow::fill(const OrderCheckReport& report)
{
    m_shown = report.findings;
    fillFindings(m_findings, m_shown);
    fitTextColumns();
    m_setAside->setEnabled(!m_shown.isEmpty());
    m_fix->setEnabled(!m_shown.isEmpty());
}

void CheckOrdersWindow::showSetAsideCount()
{
    const auto count = m_setAsideFindings.size();
    m_setAsideCount->setText(countOf(count, QStringLiteral("finding"), QStringLiteral("findings")) +
                             QStringLiteral(" set aside"));
    m_setAsideCount->setVisible(count > 0);
    m_showSetAside->setVisible(count > 0);
    if (!m_setAsideList)
        return;
    if (count == 0)
        m_setAsideList->close();
    else
        m_setAsideList->showFindings(m_setAsideFindings);
}

void CheckOrdersWindow::setAsideCurrent()
{
    // (A copy: the list is made anew while it is set aside.)
    if (const std::optional<OrderFinding> finding = currentFinding(m_findings, m_shown))
        Q_EMIT setAsideAsked(*finding);
}

void CheckOrdersWindow::fixCurrent(bool elseEdit)
{
    if (const std::optional<OrderFinding> finding = currentFinding(m_findings, m_shown))
        Q_EMIT fixAsked(*finding, elseEdit);
}

// The findings' context menu, by the right mouse button (which makes the row under it the
// current one) or by Shift+F10 and the Menu key (on the current row).
void CheckOrdersWindow::offerActions(QPoint at)
{
    if (m_findings->currentRow() < 0)
        return;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("FindingMenu"));
    QAction* fix = menu.addAction(QStringLiteral("Fi&x\u2026"));
    fix->setObjectName(QStringLiteral("FixAction"));
    QAction* setAside = menu.addAction(QStringLiteral("Set &Aside"));
    setAside->setObjectName(QStringLiteral("SetAsideAction"));
    QAction* chosen = menu.exec(m_findings->viewport()->mapToGlobal(at));
    if (chosen == fix)
        fixCurrent(false);
    else if (chosen == setAside)
        setAsideCurrent();
}

SetAsideDialog* CheckOrdersWindow::setAsideList() const
{
    return m_setAsideList;
}

void CheckOrdersWindow::openSetAsideList()
{
    if (!m_setAsideList) {
        m_setAsideList = new SetAsideDialog(m_empireId, this);
        connect(m_setAsideList, &SetAsideDialog::bringBackAsked, this,
                &CheckOrdersWindow::bringBackAsked);
    }
    m_setAsideList->showFindings(m_setAsideFindings);
    m_setAsideList->show();
    m_setAsideList->activateWindow();
}

// The two columns of text share the room the others leave, each up to a comfortable width of
// its own, and wrap: no scrolling sideways on a small screen.
void CheckOrdersWindow::fitTextColumns()
{
    constexpr int kWidestText = 320;
    constexpr int kNarrowestText = 80;
    int fixed = 0;
    for (int column = 0; column < 4; ++column)
        fixed += m_findings->columnWidth(column);
    const int room = m_findings->viewport()->width() - fixed;
    const int problem = std::clamp(room / 2, kNarrowestText, kWidestText);
    m_findings->setColumnWidth(4, problem);
    m_findings->setColumnWidth(5, std::max(room - problem, kNarrowestText));
    m_findings->resizeRowsToContents();
}

bool CheckOrdersWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_findings->viewport() && event->type() == QEvent::Resize)
        fitTextColumns();
    return QWidget::eventFilter(watched, event);
}

void CheckOrdersWindow::showFinding(int row)
{
    openInEditOrders(m_shown.value(row).orderId);
}

void CheckOrdersWindow::openInEditOrders(qint64 orderId)
{
    close();
    m_navigator.showOrderInListing(m_empireId, orderId);
}

void openCheckOrders(AppContext& context, Navigator& navigator, std::optional<int> empireId,
                     QWidget* over)
{
    if (!empireId) {
        context.dialogs.warn(kTitle,
                             QStringLiteral("You need to select an Empire before checking orders"));
        return;
    }
    showCheckReport(context, navigator, *empireId, checkEmpireOrders(context.store, *empireId),
                    over);
}

void showCheckReport(AppContext& context, Navigator& navigator, int empireId,
                     const OrderCheckReport& report, QWidget* over)
{
    if (report.orders == 0) {
        context.dialogs.warn(kTitle,
                             QStringLiteral("No orders have been entered yet for Empire # ") +
                                 QString::number(empireId));
        return;
    }
    // With findings set aside, the window opens even when none is left: they can be seen and
    // brought back there.
    if (report.findings.isEmpty() && report.setAside.isEmpty()) {
        context.dialogs.inform(
            kTitle,
            QStringLiteral("%1 of Empire # %2 checked: every one passed, none should fail to "
                           "execute.")
                .arg(countOf(report.orders, QStringLiteral("order"), QStringLiteral("orders")))
                .arg(empireId),
            DialogIcon::Information);
        return;
    }
    const QList<RecordsWithoutOrders> without = withoutOrders(context.store, empireId);
    auto* window = new CheckOrdersWindow(report, empireId, navigator, context.screen, over);
    window->showWithoutOrders(without);
    const auto reload = [&context, window, empireId] {
        guarded(context.dialogs, [&] {
            window->showReport(checkEmpireOrders(context.store, empireId));
            window->showWithoutOrders(withoutOrders(context.store, empireId));
        });
    };
    // Orders stored, changed or deleted, or another import: the findings are checked anew.
    followStore(window, context.store, StoredData::Orders | StoredData::TurnData, reload);
    // The findings set aside are not announced: the window checks anew itself.
    QObject::connect(window, &CheckOrdersWindow::setAsideAsked, window,
                     [&context, reload](const OrderFinding& finding) {
                         guarded(context.dialogs,
                                 [&] { SetAsideFindings(context.store).setAside(finding); });
                         reload();
                     });
    QObject::connect(window, &CheckOrdersWindow::bringBackAsked, window,
                     [&context, reload](const OrderFinding& finding) {
                         guarded(context.dialogs,
                                 [&] { SetAsideFindings(context.store).bringBack(finding); });
                         reload();
                     });
    auto* fixer = new FindingFixer(context, empireId, window, reload);
    QObject::connect(window, &CheckOrdersWindow::fixAsked, fixer, &FindingFixer::fix);
    QObject::connect(window, &CheckOrdersWindow::undoAsked, fixer, &FindingFixer::undo);
    window->show();
    window->activateWindow();
}

} // namespace vf
