#include "CodeListDelegate.h"

#include "orders/OrderCatalogue.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPainter>

namespace vf {

namespace {

constexpr int kMargin = 4;

} // namespace

int CodeListDelegate::codeColumn(const QFontMetrics& metrics)
{
    static const QString widest = QStringLiteral("XCTRN");
    return kMargin + metrics.horizontalAdvance(widest) +
           metrics.horizontalAdvance(QLatin1Char(' ')) * 3;
}

void CodeListDelegate::install(QComboBox& chooser)
{
    auto* delegate = new CodeListDelegate(&chooser);
    chooser.setItemDelegate(delegate);
    int widest = 0;
    for (const QString& code : catalogue::chooserCodes())
        widest = qMax(widest, chooser.fontMetrics().horizontalAdvance(catalogue::meaningOf(code)));
    constexpr int kRoomForScrollBar = 32;
    chooser.view()->setMinimumWidth(codeColumn(chooser.fontMetrics()) + widest + kMargin +
                                    kRoomForScrollBar);
}

void CodeListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QString code = item.text;
    // The background and the selection as the style draws them, then the two columns.
    item.text.clear();
    const QWidget* view = option.widget;
    QStyle* style = view ? view->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, view);
    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect line = option.rect.adjusted(kMargin, 0, -kMargin, 0);
    painter->drawText(line, Qt::AlignLeft | Qt::AlignVCenter, code);
    painter->drawText(line.adjusted(codeColumn(option.fontMetrics) - kMargin, 0, 0, 0),
                      Qt::AlignLeft | Qt::AlignVCenter, catalogue::meaningOf(code));
    painter->restore();
}

QSize CodeListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QString meaning = catalogue::meaningOf(index.data(Qt::DisplayRole).toString());
    size.setWidth(codeColumn(option.fontMetrics) + option.fontMetrics.horizontalAdvance(meaning) +
                  kMargin);
    return size;
}

void CodeListDelegate::tellMeanings(QComboBox& chooser)
{
    for (int row = 0; row < chooser.count(); ++row) {
        const QString code = chooser.itemText(row);
        const QString meaning = catalogue::meaningOf(code);
        chooser.setItemData(row, meaning.isEmpty() ? code : code + QStringLiteral(", ") + meaning,
                            Qt::AccessibleTextRole);
    }
}

} // namespace vf
