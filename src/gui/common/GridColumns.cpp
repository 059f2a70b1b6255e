#include "GridColumns.h"

#include "OrderGridStyle.h"
#include "orders/OrderCatalogue.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include <algorithm>

namespace vf {

namespace {

// Widens a column past the design's width where its header, or any of the given texts in
// the font the column shows them in, would otherwise be cut.
void fitColumn(QTableView* view, int column, int designWidth, const QStringList& texts,
               const QFont& textFont)
{
    QStyle* style = view->style();
    const QHeaderView* header = view->horizontalHeader();
    const QString title =
        view->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const int headerWidth = QFontMetrics(header->font()).horizontalAdvance(title) +
                            2 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) +
                            style->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header);
    const QFontMetrics metrics(textFont);
    const int cellMargin =
        2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) +
        view->showGrid();
    int width = std::max(designWidth, headerWidth);
    for (const QString& text : texts)
        width = std::max(width, metrics.horizontalAdvance(text) + cellMargin);
    view->setColumnWidth(column, width);
}

} // namespace

void fitOrderGridColumns(QTableView* view, int priorityColumn, int priorityWidth, int codeColumn,
                         int codeWidth)
{
    const QFont font = view->font();
    fitColumn(view, priorityColumn, priorityWidth, {}, font);
    fitColumn(view, codeColumn, codeWidth, everyOrderCode(),
              orderGridStyle(OrderColumn::Code, Qt::FontRole, font).value<QFont>());
}

QStringList everyOrderCode()
{
    return catalogue::chooserCodes() + QStringList{QStringLiteral("RTL")};
}

} // namespace vf
