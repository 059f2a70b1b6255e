#include "OrderListingWindow.h"

#include "OrderCellDelegate.h"
#include "OrdersTableModel.h"
#include "check/CheckOrdersWindow.h"
#include "common/AppContext.h"
#include "common/Dialogs.h"
#include "common/FocusMoves.h"
#include "common/GridColumns.h"
#include "common/GuardedAction.h"
#include "common/Navigator.h"
#include "common/ProgramKeys.h"
#include "common/ScreenMetrics.h"
#include "common/StoreFollower.h"
#include "common/Twips.h"
#include "common/WindowMemory.h"
#include "store/OrderRepository.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QVBoxLayout>

namespace vf {

OrderListingWindow::OrderListingWindow(AppContext& context, Navigator& navigator, int empireId,
                                       QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_navigator(navigator)
    , m_empireId(empireId)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Edit Orders"));
    const bool wide = context.screen.screenWidth() > 800;
    auto* body = new QWidget;
    m_grid = new QTableView(body);
    m_grid->setObjectName(QStringLiteral("TDBGrid2"));
    m_grid->setAccessibleName(QStringLiteral("Orders"));
    if (wide)
        placeTwips(m_grid, 120, 480, 15050, 10100);
    else
        placeTwips(m_grid, 120, 480, 11655, 7485);
    m_model = new OrdersTableModel(
        context.store, empireId,
        [this](const QString& text) { m_context.dialogs.warn(QString(), text); }, this);
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new OrderCellDelegate(m_grid));
    m_grid->installEventFilter(this);
    new GridFocusExit(m_grid);
    formatGrid();
    buildButtons(body);
    // The designed width, or more where a button or the grid would lie past it (the narrow
    // layout keeps the buttons of the wide one).
    const int width = wide ? 15100 : 9000;
    int right = m_grid->geometry().right();
    for (const QPushButton* button : body->findChildren<QPushButton*>())
        right = qMax(right, button->geometry().right());
    body->setFixedSize(qMax(twips(width), right + 8), m_grid->geometry().bottom() + 8);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollingBody(body, this));
    // At the body's size (on a small screen about the screen's width), unless the screen has
    // less room: then the body scrolls.
    resize(fittedToScreen(body->size(), context.screen)
               .boundedTo(QSize(body->width(), context.screen.screenHeight() - 60)));
    new WindowMemory(this, RememberedState(context.store), context.screen);
    // Not Ctrl+Q: a cell being edited would go.
    addProgramKeys(this, navigator, empireId,
                   {ProgramKey::TurnData, ProgramKey::WarpMap, ProgramKey::WhatChanged,
                    ProgramKey::UserGuide});
    followStore(this, context.store, StoredData::Orders, [this] { followChangesElsewhere(); });
}

void OrderListingWindow::buildButtons(QWidget* body)
{
    auto button = [body](const QString& name, int left, const QString& caption,
                         const QString& tip) {
        auto* b = new QPushButton(caption, body);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setAccessibleName(caption);
        b->setAutoDefault(false);
        placeTwips(b, left, 120, 2500, 300);
        return b;
    };
    auto* back = button(QStringLiteral("BackToMainMenu"), 5880, QStringLiteral("Back to Main Menu"),
                        QStringLiteral("Brings you back to the Main Menu, where you can select a "
                                       "different Empire for order entry"));
    auto* orders =
        button(QStringLiteral("BackToOrders"), 9000, QStringLiteral("Back To Order Entry"),
               QStringLiteral("Opens up the Order Entry form"));
    auto* refresh =
        button(QStringLiteral("RefreshGrid"), 120, QStringLiteral("Refresh Order Listing"),
               QStringLiteral("This will re-sort the Orders list based on their "
                              "Priority values"));
    connect(back, &QPushButton::clicked, this, [this] { m_navigator.backToMainMenu(); });
    connect(orders, &QPushButton::clicked, this,
            [this] { m_navigator.openOrderEntry(m_empireId); });
    connect(refresh, &QPushButton::clicked, this, [this] { m_model->refresh(); });
    auto* check = button(QStringLiteral("CheckOrders"), 3000, QStringLiteral("Check Orders"),
                         QStringLiteral("Finds the orders that would fail to execute"));
    connect(check, &QPushButton::clicked, this, [this] { checkOrders(); });
}

void OrderListingWindow::checkOrders()
{
    m_grid->setFocus(); // an open cell stores what it holds first
    guarded(m_context.dialogs,
            [this] { openCheckOrders(m_context, m_navigator, m_empireId, this); });
}

void OrderListingWindow::selectOrder(qint64 orderId)
{
    const int idColumn = m_model->fieldIndex(QStringLiteral("OrderID"));
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->index(row, idColumn).data().toLongLong() == orderId) {
            m_grid->selectRow(row);
            m_grid->scrollTo(m_model->index(row, m_model->codeColumn()));
            return;
        }
    }
}

void OrderListingWindow::formatGrid()
{
    m_grid->hideColumn(m_model->fieldIndex(QStringLiteral("OrderID")));
    m_grid->hideColumn(m_model->fieldIndex(QStringLiteral("EmpireID")));
    fitOrderGridColumns(m_grid, m_model->priorityColumn(), twips(600), m_model->codeColumn(),
                        twips(800));
    for (int column = m_model->firstSlotColumn(); column < m_model->columnCount(); ++column)
        m_grid->setColumnWidth(column, twips(1300));
    m_grid->verticalHeader()->setDefaultSectionSize(twips(600));
    m_grid->verticalHeader()->setToolTip(
        QStringLiteral("Click here to select an order, then press Delete to delete it"));
}

void OrderListingWindow::deleteSelectedOrders()
{
    QList<int> rows;
    QList<Order> deleted;
    for (const QModelIndex& index : m_grid->selectionModel()->selectedRows()) {
        rows << index.row();
        deleted << m_model->orderAt(index.row());
    }
    if (rows.isEmpty())
        return;
    m_model->deleteRows(rows);
    m_deleted << deleted;
}

void OrderListingWindow::undoDeletion()
{
    if (m_deleted.isEmpty())
        return;
    guarded(m_context.dialogs, [this] {
        OrderRepository(m_context.store).putBack(m_empireId, m_deleted.last());
        m_deleted.removeLast();
    });
    m_model->refresh();
}

void OrderListingWindow::followChangesElsewhere()
{
    std::optional<QList<Order>> stored;
    guarded(m_context.dialogs,
            [this, &stored] { stored = OrderRepository(m_context.store).ordersOf(m_empireId); });
    if (!stored || m_model->showsStored(*stored))
        return;
    const QModelIndex current = m_grid->currentIndex();
    const qint64 orderId = current.isValid() ? m_model->orderAt(current.row()).id : 0;
    m_model->refresh();
    if (orderId != 0)
        selectOrder(orderId);
}

bool OrderListingWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_grid || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Shift+Space selects the row of the current cell, as in other programs with grids.
    if (key->key() == Qt::Key_Space && key->modifiers() == Qt::ShiftModifier &&
        m_grid->currentIndex().isValid()) {
        m_grid->selectRow(m_grid->currentIndex().row());
        return true;
    }
    if (key->key() == Qt::Key_Delete && !m_grid->selectionModel()->selectedRows().isEmpty()) {
        deleteSelectedOrders();
        return true;
    }
    if (key->matches(QKeySequence::Undo)) {
        undoDeletion();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void OrderListingWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    m_navigator.backToMainMenu();
}

} // namespace vf
