#include "CheckOrdersWindow.h"

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

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vf {

namespace {

const QString kTitle = QStringLiteral("Imperial Advisor Report");

QString severityName(OrderFinding::Severity severity)
{
    switch (severity) {
    case OrderFinding::Severity::Error:
        return QStringLiteral("Will fail");
    case OrderFinding::Severity::Warning:
        return QStringLiteral("Warning");
    case OrderFinding::Severity::Note:
        break;
    }
    return QStringLiteral("Note");
}

// Enter on a finding opens it, as a double click does.
class EnterOpens : public QObject {
public:
    EnterOpens(QTableWidget* table, std::function<void(int)> open)
        : QObject(table)
        , m_table(table)
        , m_open(std::move(open))
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
        m_open(m_table->currentRow());
        return true;
    }

private:
    QTableWidget* m_table;
    std::function<void(int)> m_open;
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
    m_findings->setObjectName(QStringLiteral("Findings"));
    m_findings->setAccessibleName(QStringLiteral("Findings"));
    m_findings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_findings->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_findings->setSelectionMode(QAbstractItemView::SingleSelection);
    m_findings->setWordWrap(true);
    m_findings->verticalHeader()->hide();
    showReport(report);
    addProgramKeys(this, navigator, empireId);
    connect(m_findings, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { showFinding(row); });
    m_findings->installEventFilter(
        new EnterOpens(m_findings, [this](int row) { showFinding(row); }));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_findings, 1);
    layout->addWidget(buttons);
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
    m_reportSummary = summaryOf(report) +
                      QStringLiteral(" Double-click a finding, or press Enter on it, to change "
                                     "its order in Edit Orders.");
    showSummary();
    fill(report);
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
    m_orderIds.clear();
    const QStringList headers{QStringLiteral("Priority"),      QStringLiteral("Order"),
                              QStringLiteral("Slot"),          QStringLiteral("Finding"),
                              QStringLiteral("What is wrong"), QStringLiteral("How to fix it")};
    m_findings->setColumnCount(int(headers.size()));
    m_findings->setHorizontalHeaderLabels(headers);
    m_findings->setRowCount(int(report.findings.size()));
    for (int row = 0; row < report.findings.size(); ++row) {
        const OrderFinding& finding = report.findings[row];
        const QStringList cells{QString::number(finding.priority),
                                finding.code,
                                finding.slot > 0 ? QString::number(finding.slot) : QString(),
                                severityName(finding.severity),
                                finding.problem,
                                finding.fix};
        for (int column = 0; column < cells.size(); ++column)
            m_findings->setItem(row, column, new QTableWidgetItem(cells[column]));
        m_orderIds << finding.orderId;
    }
    m_findings->resizeColumnsToContents();
    m_findings->horizontalHeader()->setStretchLastSection(true);
    m_findings->viewport()->installEventFilter(this);
    fitTextColumns();
    if (!report.findings.isEmpty())
        m_findings->selectRow(0);
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
    const qint64 orderId = m_orderIds.value(row);
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
    if (report.findings.isEmpty()) {
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
    // Orders stored, changed or deleted, or another import: the findings are checked anew.
    followStore(window, context.store, StoredData::Orders | StoredData::TurnData,
                [&context, window, empireId] {
                    guarded(context.dialogs, [&] {
                        window->showReport(checkEmpireOrders(context.store, empireId));
                        window->showWithoutOrders(withoutOrders(context.store, empireId));
                    });
                });
    window->show();
    window->activateWindow();
}

} // namespace vf
