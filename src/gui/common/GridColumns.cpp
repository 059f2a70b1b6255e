#include "GridColumns.h"

#include "orders/OrderCatalogue.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include <algorithm>

namespace vf {

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

QStringList everyOrderCode()
{
    return catalogue::chooserCodes() + QStringList{QStringLiteral("RTL")};
}

} // namespace vf
