#include "TurnDataWindow.h"

#include "TurnTableModel.h"
#include "common/AppContext.h"
#include "common/BackgroundWork.h"
#include "common/FindKey.h"
#include "common/GuardedAction.h"
#include "common/Navigator.h"
#include "common/NewOrderMenu.h"
#include "common/ScreenMetrics.h"
#include "store/Store.h"
#include "store/TurnImports.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace vf {

namespace {

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

TurnDataWindow::TurnDataWindow(AppContext& context, Navigator& navigator, int empireId,
                               QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_context(context)
    , m_navigator(navigator)
    , m_empireId(empireId)
{
    setObjectName(QStringLiteral("TurnData"));
    setWindowTitle(importTitle(context.store, empireId, QStringLiteral("Turn Data")));
    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("Filter"));
    m_filter->setAccessibleName(QStringLiteral("Filter"));
    m_filter->setPlaceholderText(
        QStringLiteral("Type to keep only the rows that hold it, in every tab (Ctrl+F)"));
    m_filter->setClearButtonEnabled(true);
    auto* filterLabel = new QLabel(QStringLiteral("&Filter:"), this);
    filterLabel->setBuddy(m_filter);
    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString& text) {
        guarded(m_context.dialogs, [&] { applyFilter(text); });
    });
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("Tables"));
    m_tabs->setUsesScrollButtons(true);
    for (const ShownTable& table : shownTables()) {
        const Store& store = context.store;
        addTable(new QTableView(m_tabs),
                 new TurnTableModel(
                     table, shownColumns(store, empireId, table),
                     countShownRows(store, empireId, table),
                     [&store, empireId, &table] { return readShownTable(store, empireId, table); },
                     this));
    }
    // A tab's rows are read when it is first shown.
    // (A database failure is told; the tab stays empty.)
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab >= 0)
            guarded(m_context.dialogs, [&] { model(tab).load(); });
    });
    model(0).load();
    readAheadFrom(1);
    auto* hint = new QLabel(QStringLiteral("Enter, or the right mouse button, on a fleet, army, "
                                           "population group, commander or warp point starts a "
                                           "new order with it. Ctrl+C copies the rows chosen."),
                            this);
    hint->setWordWrap(true);
    auto* warpMap = new QPushButton(QStringLiteral("Warp &Map"), this);
    warpMap->setObjectName(QStringLiteral("WarpMap"));
    connect(warpMap, &QPushButton::clicked, this, [this] { m_navigator.openWarpMap(m_empireId); });
    auto* top = new QHBoxLayout;
    top->addWidget(filterLabel);
    top->addWidget(m_filter, 1);
    top->addWidget(warpMap);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(hint);
    focusOnFindKey(this, m_filter);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &TurnDataWindow::escape);
    resize(fittedToScreen(QSize(760, 520), context.screen));
}

QTableView& TurnDataWindow::view(int tab) const
{
    return *m_views.at(tab);
}

TurnTableModel& TurnDataWindow::model(int tab) const
{
    return *static_cast<TurnTableModel*>(m_views.at(tab)->model());
}

void TurnDataWindow::addTable(QTableView* view, TurnTableModel* model)
{
    const QString title = model->table().title;
    view->setObjectName(QStringLiteral("Table ") + title);
    view->setAccessibleName(title);
    view->setModel(model);
    view->setSortingEnabled(true);
    view->sortByColumn(-1, Qt::AscendingOrder); // stored order until a heading is clicked
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->setWordWrap(false);
    view->horizontalHeader()->setStretchLastSection(true);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    constexpr int kColumnWidth = 160;
    for (int column = 0; column + 1 < model->columnCount(); ++column)
        view->setColumnWidth(column, kColumnWidth);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](QPoint at) { offerNewOrder(view, view->viewport()->mapToGlobal(at)); });
    view->installEventFilter(this);
    m_views << view;
    m_tabs->addTab(view, QString());
    titleTab(int(m_views.size()) - 1);
}

// The tables not shown yet are read off the window's thread, over a connection of their own
// to the database, while the player looks at the first, so that the first filter keystroke
// does not wait for half a million rows. A tab shown before its rows arrive reads them itself;
// a reading that fails leaves each tab to read its own when wanted, and a database failure is
// told then.
void TurnDataWindow::readAheadFrom(int tab)
{
    m_readingAhead = tab < m_views.size();
    if (!m_readingAhead)
        return;
    const QString database = m_context.store.path();
    const int empireId = m_empireId;
    const ShownTable& table = model(tab).table();
    runInBackground<TableRows>(
        this,
        [database, empireId, &table](const Progress&) {
            const Store store(database);
            return readShownTable(store, empireId, table);
        },
        [this, tab](TableRows rows) {
            model(tab).take(std::move(rows));
            titleTab(tab);
            readAheadFrom(tab + 1);
        },
        [this](const QString&) {
            m_readingAhead = false;
            if (!m_filter->text().isEmpty())
                guarded(m_context.dialogs, [&] { applyFilter(m_filter->text()); });
        },
        QThread::LowPriority);
}

void TurnDataWindow::titleTab(int tab)
{
    const TurnTableModel& shown = model(tab);
    QString count = QString::number(shown.totalRows());
    if (!m_filter->text().isEmpty())
        count =
            QStringLiteral("%1 of %2")
                .arg(shown.loaded() ? QString::number(shown.rowCount()) : QStringLiteral("\u2026"))
                .arg(shown.totalRows());
    m_tabs->setTabText(tab, QStringLiteral("%1 (%2)").arg(shown.table().title, count));
}

void TurnDataWindow::applyFilter(const QString& text)
{
    for (int tab = 0; tab < m_views.size(); ++tab) {
        if (!m_readingAhead)
            model(tab).load(); // every tab's count of rows that match
        model(tab).setFilter(text);
        titleTab(tab);
    }
}

void TurnDataWindow::escape()
{
    if (m_filter->text().isEmpty())
        close();
    else
        m_filter->clear();
}

QString TurnDataWindow::selectedText() const
{
    const QTableView* shown = m_views.value(m_tabs->currentIndex());
    if (!shown)
        return {};
    const auto& model = *static_cast<const TurnTableModel*>(shown->model());
    QList<int> rows;
    for (const QModelIndex& index : shown->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    QStringList headings;
    for (const ShownColumn& column : model.columns())
        headings << column.heading;
    QStringList lines{headings.join(QLatin1Char('\t'))};
    for (const int row : rows)
        lines << model.cells(row).join(QLatin1Char('\t'));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void TurnDataWindow::offerNewOrder(QTableView* view, std::optional<QPoint> at)
{
    const auto& shown = *static_cast<const TurnTableModel*>(view->model());
    const int row = view->currentIndex().row();
    const ShownTable& table = shown.table();
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("NewOrderMenu"));
    QMenu* codes = menu.addMenu(QStringLiteral("&New Order\u2026"));
    codes->setObjectName(QStringLiteral("NewOrderCodes"));
    codes->setEnabled(table.kind.has_value() && row >= 0);
    if (codes->isEnabled()) {
        const QStringList& cells = shown.cells(row);
        addNewOrderCodes(
            *codes, *table.kind, cells.value(table.keyColumn()).toInt(),
            cells.value(table.column(ColumnRole::Star)),
            [this](const OrderStart& start) { m_navigator.startOrder(m_empireId, start); });
    }
    QAction* copy = menu.addAction(QStringLiteral("&Copy"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this,
            [this] { QApplication::clipboard()->setText(selectedText()); });
    if (at)
        menu.exec(*at);
    else if (codes->isEnabled())
        codes->exec(view->viewport()->mapToGlobal(view->visualRect(view->currentIndex()).center()));
}

bool TurnDataWindow::eventFilter(QObject* watched, QEvent* event)
{
    auto* view = qobject_cast<QTableView*>(watched);
    if (!view || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(selectedText());
        return true;
    }
    if (isEnter(key) && view->currentIndex().isValid()) {
        const auto& shown = *static_cast<const TurnTableModel*>(view->model());
        if (shown.table().kind)
            offerNewOrder(view, std::nullopt);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vf
