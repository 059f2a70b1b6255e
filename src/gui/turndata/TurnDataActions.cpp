// What the player does with Turn Data's rows: copies them, starts a new order from one,
// exports the tables; and the window's File menu.
#include "TurnDataWindow.h"

#include "TurnDataExport.h"
#include "TurnTableModel.h"
#include "common/AppContext.h"
#include "common/Navigator.h"
#include "common/NewOrderMenu.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>

#include <algorithm>

namespace vf {

namespace {

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

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
    // A system, a warp point, a population group: the map opens at its star.
    const int starColumn = table.column(ColumnRole::Star);
    if (starColumn >= 0 && row >= 0) {
        QAction* onMap = menu.addAction(QStringLiteral("Show on &Map"));
        onMap->setObjectName(QStringLiteral("ShowOnMap"));
        const QString star = shown.cells(row).value(starColumn);
        connect(onMap, &QAction::triggered, this,
                [this, star] { m_navigator.showOnMap(m_empireId, star); });
    }
    QAction* copy = menu.addAction(QStringLiteral("&Copy"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this,
            [this] { QApplication::clipboard()->setText(selectedText()); });
    const QPoint cell =
        view->viewport()->mapToGlobal(view->visualRect(view->currentIndex()).center());
    if (at)
        menu.exec(*at);
    else if (codes->isEnabled())
        codes->exec(cell);
    else
        menu.exec(cell);
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
        const ShownTable& table = static_cast<const TurnTableModel*>(view->model())->table();
        if (table.kind || table.column(ColumnRole::Star) >= 0)
            offerNewOrder(view, std::nullopt);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

QMenuBar* TurnDataWindow::buildMenu()
{
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* one = file->addAction(QStringLiteral("&Export This Table\u2026"));
    one->setObjectName(QStringLiteral("mnuFile_Export"));
    connect(one, &QAction::triggered, this, &TurnDataWindow::exportTable);
    QAction* all = file->addAction(QStringLiteral("Export &All Tables\u2026"));
    all->setObjectName(QStringLiteral("mnuFile_ExportAll"));
    connect(all, &QAction::triggered, this, &TurnDataWindow::exportAllTables);
    file->addSeparator();
    QAction* close = file->addAction(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("mnuFile_Close"));
    connect(close, &QAction::triggered, this, &QWidget::close);
    return bar;
}

void TurnDataWindow::exportTable()
{
    exportTables(m_context, m_empireId, {&model(m_tabs->currentIndex())});
}

void TurnDataWindow::exportAllTables()
{
    QList<TurnTableModel*> all;
    for (int tab = 0; tab < m_views.size(); ++tab)
        all << &model(tab);
    exportTables(m_context, m_empireId, all);
}

} // namespace vf
