#include "PromptLabel.h"

#include <QPainter>

namespace vf {

namespace {

constexpr qreal kSmallestPointSize = 6.5;

} // namespace

void PromptLabel::paintEvent(QPaintEvent* event)
{
    const int room = contentsRect().width();
    if (fontMetrics().horizontalAdvance(text()) <= room) {
        QLabel::paintEvent(event);
        return;
    }
    // Too wide: drop the leading blanks, shrink the letters a little and set them closer,
    // and only then cut the prompt from the left.
    QString shown = text().trimmed();
    QFont smaller = font();
    while (QFontMetrics(smaller).horizontalAdvance(shown) > room &&
           smaller.pointSizeF() - 0.5 >= kSmallestPointSize)
        smaller.setPointSizeF(smaller.pointSizeF() - 0.5);
    if (QFontMetrics(smaller).horizontalAdvance(shown) > room)
        smaller.setLetterSpacing(QFont::AbsoluteSpacing, -1);
    const QFontMetrics metrics(smaller);
    if (metrics.horizontalAdvance(shown) > room)
        shown = metrics.elidedText(shown, Qt::ElideLeft, room);
    QPainter painter(this);
    painter.setFont(smaller);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

} // namespace vf
