#include "EarlierOrdersWindow.h"

#include "SavedOrdersModel.h"
#include "Wording.h"
#include "check/CheckOrdersWindow.h"
#include "common/AppContext.h"
#include "common/BackgroundWork.h"
#include "common/CloseOnEscape.h"
#include "common/Dialogs.h"
#include "common/GuardedAction.h"
#include "common/ProgramKeys.h"
#include "common/ScreenMetrics.h"
#include "common/StoreFollower.h"
#include "ordersfile/OrdersArchive.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vf {

namespace {

const QString kTitle = QStringLiteral("Imperial Bureaucrat Report");

// What tells one listed turn apart from any other, and from itself once written again.
QString keyOf(const EarlierTurn& turn)
{
    return turn.path + QLatin1Char('|') + turn.version;
}

QTableWidget* turnsTable(QWidget* parent)
{
    auto* table = new QTableWidget(0, 3, parent);
    table->setObjectName(QStringLiteral("EarlierTurns"));
    table->setAccessibleName(QStringLiteral("Earlier turns"));
    table->setHorizontalHeaderLabels(
        {QStringLiteral("Saved"), QStringLiteral("Orders"), QStringLiteral("Checked against")});
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->verticalHeader()->hide();
    table->setWordWrap(false);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QTableView* ordersGrid(SavedOrdersModel* model, QWidget* parent)
{
    auto* grid = new QTableView(parent);
    grid->setObjectName(QStringLiteral("EarlierOrdersGrid"));
    grid->setAccessibleName(QStringLiteral("Orders of the earlier turn"));
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    // Columns fitted to the first rows, not to every one of a thousand orders.
    grid->horizontalHeader()->setResizeContentsPrecision(40);
    return grid;
}

QString prioritiesOf(const QList<Order>& stored)
{
    if (stored.size() == 1)
        return QStringLiteral("Priority %1").arg(stored.first().priority);
    return QStringLiteral("Priorities %1 to %2")
        .arg(stored.first().priority)
        .arg(stored.last().priority);
}

} // namespace

EarlierOrdersWindow::EarlierOrdersWindow(AppContext& context, Navigator& navigator, int empireId,
                                         QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_context(context)
    , m_navigator(navigator)
    , m_empireId(empireId)
{
    setObjectName(QStringLiteral("EarlierOrders"));
    setWindowTitle(QStringLiteral("Earlier Orders - Empire # %1").arg(empireId));
    setAttribute(Qt::WA_DeleteOnClose);
    closeOnEscape(this);
    addProgramKeys(this, navigator, empireId);
    m_turns = turnsTable(this);
    m_about = new QLabel(this);
    m_about->setObjectName(QStringLiteral("AboutTurn"));
    m_about->setWordWrap(true);
    m_model = new SavedOrdersModel(this);
    m_grid = ordersGrid(m_model, this);
    m_copy = new QPushButton(QStringLiteral("&Copy to This Turn"), this);
    m_copy->setObjectName(QStringLiteral("CopyToThisTurn"));
    m_copy->setToolTip(QStringLiteral("Stores the orders selected as new orders of this turn, "
                                      "after its last order, in their sequence"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    connect(m_copy, &QPushButton::clicked, this, &EarlierOrdersWindow::copySelected);
    connect(m_turns, &QTableWidget::currentCellChanged, this, [this] { showTurn(); });

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_copy);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_turns, 2);
    layout->addWidget(m_about);
    layout->addWidget(m_grid, 3);
    layout->addLayout(bottom);
    resize(fittedToScreen(QSize(900, 600), context.screen));

    // Clear Orders, Restore Cleared Orders and Save Orders (its blank-fill) all touch the
    // orders; a copy written meanwhile is found when the window is next active.
    followStore(this, context.store, StoredData::Orders,
                [this] { guarded(m_context.dialogs, [this] { reload(); }); });
    reload();
    m_turns->setFocus();
}

EarlierOrdersWindow::~EarlierOrdersWindow() = default;

void EarlierOrdersWindow::reload()
{
    QList<EarlierTurn> now =
        earlierTurns(m_context.store, m_context.dataFolder.folder(), m_empireId);
    const auto sameTurns = [](const EarlierTurn& a, const EarlierTurn& b) {
        return keyOf(a) == keyOf(b);
    };
    if (now.size() == m_list.size() &&
        std::equal(now.begin(), now.end(), m_list.begin(), sameTurns))
        return;
    m_list = std::move(now);
    fillTurns();
    checkCopiesWhole();
}

EarlierTurn EarlierOrdersWindow::shownAs(const EarlierTurn& turn) const
{
    EarlierTurn shown = turn;
    const QString damage = m_readWhole.value(keyOf(turn));
    if (shown.kind == EarlierTurn::Kind::Saved && !damage.isEmpty()) {
        shown.kind = EarlierTurn::Kind::Damaged;
        shown.damage = damage;
    }
    return shown;
}

void EarlierOrdersWindow::fillTurns()
{
    const int current = m_turns->currentRow();
    const QString wasCurrent = current >= 0 && current < m_turns->rowCount()
                                   ? m_turns->item(current, 0)->data(Qt::UserRole).toString()
                                   : QString();
    {
        const QSignalBlocker quiet(m_turns);
        m_turns->setRowCount(int(m_list.size()));
        int again = 0;
        for (int row = 0; row < m_list.size(); ++row) {
            const EarlierTurn turn = shownAs(m_list.at(row));
            const QStringList cells{turn.shownWhen(),
                                    turn.readable() ? QString::number(turn.orders) : QString(),
                                    turn.shownImport()};
            for (int column = 0; column < cells.size(); ++column) {
                auto* item = new QTableWidgetItem(cells.at(column));
                item->setToolTip(turn.damage);
                m_turns->setItem(row, column, item);
            }
            m_turns->item(row, 0)->setData(Qt::UserRole, keyOf(turn));
            if (keyOf(turn) == wasCurrent)
                again = row;
        }
        if (!m_list.isEmpty())
            m_turns->setCurrentCell(again, 0);
        m_turns->resizeColumnsToContents();
    }
    showTurn();
}

void EarlierOrdersWindow::showTurn()
{
    const int row = m_turns->currentRow();
    if (row < 0 || row >= m_list.size()) {
        m_copy->setEnabled(false);
        m_shown.clear();
        m_model->show({});
        m_about->setText(QStringLiteral("Empire # %1 has no earlier orders: Save Orders keeps "
                                        "a copy of the orders it writes, and Clear Orders keeps "
                                        "the orders it clears.")
                             .arg(m_empireId));
        return;
    }
    EarlierTurn turn = shownAs(m_list.at(row));
    const QString key = keyOf(turn) + QString::number(int(turn.kind));
    if (key == m_shown)
        return;
    m_shown = key;
    QList<Order> orders;
    if (turn.readable()) {
        try {
            orders = ordersOf(m_context.store, turn, m_empireId);
        } catch (const Error& error) {
            m_readWhole.insert(keyOf(turn), error.message());
            return fillTurns(); // shows it damaged
        }
    }
    m_model->show(orders);
    m_copy->setEnabled(!orders.isEmpty());
    m_grid->resizeColumnsToContents();
    m_about->setText(
        turn.readable()
            ? QStringLiteral("%1: select the orders to copy (Ctrl+A selects them all), then Copy "
                             "to This Turn.")
                  .arg(countOf(orders.size(), QStringLiteral("order"), QStringLiteral("orders")))
            : QStringLiteral("This copy cannot be read: %1. The other turns are not touched by "
                             "it.")
                  .arg(turn.damage));
}

void EarlierOrdersWindow::copySelected()
{
    QModelIndexList rows = m_grid->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        m_context.dialogs.warn(kTitle, QStringLiteral("Select the orders to copy in the grid "
                                                      "first: Ctrl+A selects them all."));
        return;
    }
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QList<Order> chosen;
    for (const QModelIndex& row : rows)
        chosen << m_model->orders().at(row.row());
    guarded(m_context.dialogs,
            [&] { tellCopied(copyToThisTurn(m_context.store, m_empireId, chosen)); });
}

void EarlierOrdersWindow::tellCopied(const CopiedOrders& copied)
{
    QString text = QStringLiteral("%1 to this turn of Empire # %2, %3: %4.")
                       .arg(countOf(copied.stored.size(), QStringLiteral("order was copied"),
                                    QStringLiteral("orders were copied")))
                       .arg(m_empireId)
                       .arg(copied.afterOthers ? QStringLiteral("after its last order")
                                               : QStringLiteral("as its first orders"),
                            prioritiesOf(copied.stored));
    if (copied.failing > 0)
        text += QStringLiteral("\r\n\r\n%1 will fail to execute: Check Orders shows why.")
                    .arg(copied.failing == 1 ? QStringLiteral("1 of them")
                                             : QStringLiteral("%1 of them").arg(copied.failing));
    m_context.dialogs.inform(kTitle, text, DialogIcon::Information);
    if (copied.failing > 0)
        showCheckReport(m_context, m_navigator, m_empireId, copied.report,
                        parentWidget() ? parentWidget() : this);
}

bool EarlierOrdersWindow::checkedWhole() const
{
    return std::all_of(m_list.begin(), m_list.end(), [this](const EarlierTurn& turn) {
        return turn.kind != EarlierTurn::Kind::Saved || m_readWhole.contains(keyOf(turn));
    });
}

void EarlierOrdersWindow::checkCopiesWhole()
{
    // The copies are read whole off the window's thread: the list shows at once, and a copy
    // damaged within is marked as soon as it is found.
    QList<std::pair<QString, QString>> unread; // key, path
    for (const EarlierTurn& turn : std::as_const(m_list)) {
        if (turn.kind == EarlierTurn::Kind::Saved && !m_readWhole.contains(keyOf(turn)))
            unread.append({keyOf(turn), turn.path});
    }
    if (m_checking || unread.isEmpty())
        return;
    m_checking = true;
    using Found = QList<std::pair<QString, QString>>;
    runInBackground<Found>(
        this,
        [unread](const Progress& progress) {
            Found found;
            for (const auto& [key, path] : unread) {
                if (progress.stopRequested())
                    break;
                found.append({key, OrdersArchive::damageOf(path)});
            }
            return found;
        },
        [this](const Found& found) {
            m_checking = false;
            for (const auto& [key, damage] : found)
                m_readWhole.insert(key, damage);
            fillTurns();
            checkCopiesWhole(); // copies listed meanwhile
        },
        [this](const QString& failure) {
            m_checking = false;
            m_about->setText(failure);
        });
}

void EarlierOrdersWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        guarded(m_context.dialogs, [this] { reload(); });
}

QKeySequence earlierOrdersKey()
{
    return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E);
}

void openEarlierOrders(AppContext& context, Navigator& navigator, std::optional<int> empireId,
                       QWidget* over)
{
    static QPointer<EarlierOrdersWindow> open;
    if (!empireId) {
        context.dialogs.warn(kTitle, QStringLiteral("You need to select an Empire before looking "
                                                    "at its earlier orders"));
        return;
    }
    if (open && open->empireId() == *empireId) {
        open->reload();
    } else {
        if (open)
            open->close();
        open = new EarlierOrdersWindow(context, navigator, *empireId, over);
    }
    open->show();
    open->raise();
    open->activateWindow();
}

} // namespace vf
