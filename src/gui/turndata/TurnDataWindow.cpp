#include "TurnDataWindow.h"

#include "TurnTableModel.h"
#include "common/AppContext.h"
#include "common/BackgroundWork.h"
#include "common/FindKey.h"
#include "common/GuardedAction.h"
#include "common/Navigator.h"
#include "common/ProgramKeys.h"
#include "common/ScreenMetrics.h"
#include "common/StoreFollower.h"
#include "store/OrderRepository.h"
#include "store/Store.h"
#include "store/TurnImports.h"
#include "turndata/RecordsWithOrders.h"
#include "turndata/TurnDataView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace vf {

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
        QStringLiteral("Type to keep only the rows that hold it, in every table (Ctrl+F)"));
    m_filter->setClearButtonEnabled(true);
    auto* filterLabel = new QLabel(QStringLiteral("Fi&lter:"), this);
    filterLabel->setBuddy(m_filter);
    connect(m_filter, &QLineEdit::textChanged, this,
            [this] { guarded(m_context.dialogs, [&] { applyFilter(); }); });
    buildWithoutOrders();
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("Tables"));
    // The list beside the grid names the tables: thirteen tabs do not fit a window.
    m_tabs->tabBar()->hide();
    // Hidden, the tab bar still counts in the window's least width unless it may scroll.
    m_tabs->setUsesScrollButtons(true);
    m_tableList = new QListWidget(this);
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
    buildTableList();
    const TurnDataView kept = restoreView();
    model(m_tabs->currentIndex()).load();
    readAheadFrom(0);
    // The filters once the other tables are being read off the window's thread: each table's
    // rows are counted against them as they come, none read here.
    m_withoutOrders->setChecked(kept.withoutOrders);
    m_filter->setText(kept.filter);
    auto* hint = new QLabel(QStringLiteral("Enter, or the right mouse button, on a fleet, army, "
                                           "population group, commander or warp point starts a "
                                           "new order with it. Ctrl+C copies the rows chosen."),
                            this);
    hint->setWordWrap(true);
    auto* warpMap = new QPushButton(QStringLiteral("Warp &Map"), this);
    warpMap->setObjectName(QStringLiteral("WarpMap"));
    connect(warpMap, &QPushButton::clicked, this, [this] { m_navigator.openWarpMap(m_empireId); });
    // The filter a row of its own: with a large font the row holding all would not fit a small
    // screen.
    auto* top = new QHBoxLayout;
    top->addWidget(filterLabel);
    top->addWidget(m_filter, 1);
    auto* choices = new QHBoxLayout;
    choices->addWidget(m_withoutOrders);
    choices->addStretch(1);
    choices->addWidget(warpMap);
    // The list as wide as its titles at first; the player may drag it narrower or wider.
    m_split = new QSplitter(this);
    m_split->addWidget(m_tableList);
    m_split->addWidget(m_tabs);
    m_split->setStretchFactor(1, 1);
    m_split->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(buildMenu());
    layout->addLayout(top);
    layout->addLayout(choices);
    layout->addWidget(m_split, 1);
    // What the file held besides, so that nothing in it goes without a word.
    const QString unread = unreadTablesLine(unreadTablesOf(context.store, empireId));
    if (!unread.isEmpty()) {
        auto* also = new QLabel(unread, this);
        also->setObjectName(QStringLiteral("UnreadTables"));
        also->setWordWrap(true);
        layout->addWidget(also);
    }
    layout->addWidget(hint);
    focusOnFindKey(this, m_filter);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &TurnDataWindow::escape);
    addProgramKeys(this, navigator, empireId);
    // The tables one after another from anywhere in the window, as tabs are.
    for (const auto& [key, step] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                                    {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                                    {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
                                    {QKeySequence(Qt::CTRL | Qt::Key_Backtab), -1},
                                    {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}}) {
        auto* next = new QShortcut(key, this);
        connect(next, &QShortcut::activated, this, [this, step] { switchTable(step); });
    }
    resize(fittedToScreen(QSize(860, 520), context.screen));
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
    while (tab < m_views.size() && model(tab).loaded())
        ++tab;
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
            if (!m_filter->text().isEmpty())
                showTableWithMatches();
            readAheadFrom(tab + 1);
        },
        [this](const QString&) {
            m_readingAhead = false;
            if (!m_filter->text().isEmpty())
                guarded(m_context.dialogs, [&] { applyFilter(); });
        },
        QThread::LowPriority);
}

void TurnDataWindow::buildWithoutOrders()
{
    m_withoutOrders = new QCheckBox(QStringLiteral("&Without Orders"), this);
    m_withoutOrders->setObjectName(QStringLiteral("WithoutOrders"));
    m_withoutOrders->setAccessibleName(QStringLiteral("Without Orders"));
    m_withoutOrders->setToolTip(
        QStringLiteral("Keep only the fleets, armies, population groups and commanders that no "
                       "stored order names. The other tables are not affected."));
    const auto apply = [this] {
        guarded(m_context.dialogs, [this] {
            readOrderedRecords();
            applyFilter();
        });
    };
    connect(m_withoutOrders, &QCheckBox::toggled, this, apply);
    // An order stored, changed or deleted elsewhere: the records without one are found anew.
    followStore(this, m_context.store, StoredData::Orders, [this, apply] {
        if (m_withoutOrders->isChecked())
            apply();
    });
}

void TurnDataWindow::readOrderedRecords()
{
    m_ordered.clear();
    if (!m_withoutOrders->isChecked())
        return;
    const QList<Order> orders = OrderRepository(m_context.store).ordersOf(m_empireId);
    for (const RecordKind kind : kOrderedKinds)
        m_ordered[kind] = recordsNamed(orders, kind);
}

bool TurnDataWindow::narrowed(int tab) const
{
    const std::optional<RecordKind> kind = model(tab).table().kind;
    return !m_filter->text().isEmpty() || (kind && m_ordered.contains(*kind));
}

void TurnDataWindow::titleTab(int tab)
{
    const TurnTableModel& shown = model(tab);
    QString count = QString::number(shown.totalRows());
    if (narrowed(tab))
        count =
            QStringLiteral("%1 of %2")
                .arg(shown.loaded() ? QString::number(shown.rowCount()) : QStringLiteral("\u2026"))
                .arg(shown.totalRows());
    const QString title = QStringLiteral("%1 (%2)").arg(shown.table().title, count);
    m_tabs->setTabText(tab, title);
    QListWidgetItem* item = m_tableList->item(tab);
    if (!item)
        return;
    item->setText(title);
    // While filtering, the tables holding matches stand out and the others fade.
    const bool filtering = narrowed(tab) && shown.loaded();
    QFont font = m_tableList->font();
    font.setBold(filtering && shown.rowCount() > 0);
    item->setFont(font);
    item->setForeground(filtering && shown.rowCount() == 0
                            ? m_tableList->palette().brush(QPalette::Disabled, QPalette::Text)
                            : m_tableList->palette().brush(QPalette::Text));
}

void TurnDataWindow::applyFilter()
{
    for (int tab = 0; tab < m_views.size(); ++tab) {
        if (!m_readingAhead)
            model(tab).load(); // every tab's count of rows that match
        const std::optional<RecordKind> kind = model(tab).table().kind;
        const auto ordered = kind ? m_ordered.find(*kind) : m_ordered.end();
        model(tab).setFilter(m_filter->text(),
                             ordered != m_ordered.end() ? ordered->second : QSet<int>());
        titleTab(tab);
    }
    showTableWithMatches();
}

void TurnDataWindow::escape()
{
    if (m_filter->text().isEmpty())
        close();
    else
        m_filter->clear();
}

void TurnDataWindow::buildTableList()
{
    m_tableList->setObjectName(QStringLiteral("TableList"));
    m_tableList->setAccessibleName(QStringLiteral("Tables"));
    for (int tab = 0; tab < m_views.size(); ++tab) {
        m_tableList->addItem(QString());
        titleTab(tab);
    }
    // Wide enough for the longest title with its counts while filtering.
    int widest = 0;
    for (const QTableView* view : m_views)
        widest = qMax(widest, m_tableList->fontMetrics().horizontalAdvance(
                                  static_cast<const TurnTableModel*>(view->model())->table().title +
                                  QStringLiteral(" (00000 of 00000)")));
    m_tableList->setMinimumWidth(
        m_tableList->fontMetrics().horizontalAdvance(QStringLiteral("Fleets")));
    m_listWidth = widest + 2 * m_tableList->frameWidth() + 12;
    connect(m_tableList, &QListWidget::currentRowChanged, m_tabs, &QTabWidget::setCurrentIndex);
    connect(m_tabs, &QTabWidget::currentChanged, m_tableList,
            [this](int tab) { m_tableList->setCurrentRow(tab); });
    m_tableList->setCurrentRow(m_tabs->currentIndex());
}

void TurnDataWindow::switchTable(int step)
{
    const int count = int(m_views.size());
    m_tabs->setCurrentIndex((m_tabs->currentIndex() + step + count) % count);
}

void TurnDataWindow::showTableWithMatches()
{
    const auto holdsRows = [this](int tab) {
        return model(tab).loaded() && model(tab).rowCount() > 0;
    };
    if (m_filter->text().isEmpty() || !model(m_tabs->currentIndex()).loaded() ||
        holdsRows(m_tabs->currentIndex()))
        return;
    for (int tab = 0; tab < m_views.size(); ++tab) {
        if (holdsRows(tab)) {
            m_tabs->setCurrentIndex(tab);
            return;
        }
    }
}

TurnDataView TurnDataWindow::restoreView()
{
    const TurnDataView kept = readTurnDataView(m_context.store, m_empireId);
    for (int tab = 0; tab < m_views.size(); ++tab) {
        const TurnTableModel& shown = model(tab);
        if (shown.table().title == kept.table)
            m_tabs->setCurrentIndex(tab);
        const auto sort = kept.sorts.constFind(shown.table().title);
        if (sort == kept.sorts.cend())
            continue;
        for (int column = 0; column < shown.columns().size(); ++column) {
            if (shown.columns()[column].heading == sort->heading)
                m_views[tab]->sortByColumn(column, sort->descending ? Qt::DescendingOrder
                                                                    : Qt::AscendingOrder);
        }
    }
    return kept;
}

void TurnDataWindow::keepView() const
{
    TurnDataView view;
    view.table = model(m_tabs->currentIndex()).table().title;
    view.filter = m_filter->text();
    view.withoutOrders = m_withoutOrders->isChecked();
    for (const QTableView* shown : m_views) {
        const int column = shown->horizontalHeader()->sortIndicatorSection();
        const auto& table = *static_cast<const TurnTableModel*>(shown->model());
        if (column >= 0 && column < table.columns().size())
            view.sorts.insert(
                table.table().title,
                {table.columns()[column].heading,
                 shown->horizontalHeader()->sortIndicatorOrder() == Qt::DescendingOrder});
    }
    keepTurnDataView(m_context.store, m_empireId, view);
}

void TurnDataWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (std::exchange(m_listSized, true))
        return;
    const int room = m_split->width();
    m_split->setSizes({std::min(m_listWidth, room / 3), room - std::min(m_listWidth, room / 3)});
}

void TurnDataWindow::closeEvent(QCloseEvent* event)
{
    if (!m_context.store.readOnly())
        guarded(m_context.dialogs, [this] { keepView(); });
    QWidget::closeEvent(event);
}

} // namespace vf
