#include "ButtonPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <numbers>

namespace vf {

namespace {

void drawSheet(QPainter& p, const QRectF& r)
{
    p.setBrush(QColor(250, 250, 240));
    p.drawRect(r.adjusted(r.width() * 0.25, 2, -r.width() * 0.25, -2));
    for (int line = 1; line <= 4; ++line) {
        const double y = r.top() + 2 + line * (r.height() - 4) / 5.0;
        p.drawLine(QPointF(r.left() + r.width() * 0.32, y),
                   QPointF(r.right() - r.width() * 0.32, y));
    }
}

void drawGrid(QPainter& p, const QRectF& r)
{
    const QRectF g = r.adjusted(r.width() * 0.15, 3, -r.width() * 0.15, -3);
    p.setBrush(QColor(225, 240, 255));
    p.drawRect(g);
    for (int i = 1; i < 4; ++i)
        p.drawLine(QPointF(g.left(), g.top() + i * g.height() / 4),
                   QPointF(g.right(), g.top() + i * g.height() / 4));
    for (int i = 1; i < 3; ++i)
        p.drawLine(QPointF(g.left() + i * g.width() / 3, g.top()),
                   QPointF(g.left() + i * g.width() / 3, g.bottom()));
}

void drawArrowDown(QPainter& p, const QRectF& r)
{
    const double cx = r.center().x();
    QPainterPath arrow;
    arrow.moveTo(cx - 5, r.top() + 3);
    arrow.lineTo(cx + 5, r.top() + 3);
    arrow.lineTo(cx + 5, r.center().y());
    arrow.lineTo(cx + 11, r.center().y());
    arrow.lineTo(cx, r.bottom() - 8);
    arrow.lineTo(cx - 11, r.center().y());
    arrow.lineTo(cx - 5, r.center().y());
    arrow.closeSubpath();
    p.setBrush(QColor(60, 140, 60));
    p.drawPath(arrow);
    p.drawLine(QPointF(cx - 16, r.bottom() - 3), QPointF(cx + 16, r.bottom() - 3));
}

void drawDisk(QPainter& p, const QRectF& r)
{
    const double side = r.height() - 6;
    const QRectF d(r.center().x() - side / 2, r.top() + 3, side, side);
    p.setBrush(QColor(40, 70, 140));
    p.drawRect(d);
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(d.adjusted(side * 0.2, 2, -side * 0.2, -side * 0.55));
    p.drawRect(d.adjusted(side * 0.25, side * 0.6, -side * 0.25, -1));
}

void drawCross(QPainter& p, const QRectF& r)
{
    const double side = r.height() - 10;
    const QRectF c(r.center().x() - side / 2, r.top() + 5, side, side);
    QPen pen(QColor(190, 30, 30), 5, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.drawLine(c.topLeft(), c.bottomRight());
    p.drawLine(c.topRight(), c.bottomLeft());
}

void drawStar(QPainter& p, const QRectF& r)
{
    const QPointF c = r.center();
    const double outer = r.height() / 2 - 2;
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double radius = (i % 2 == 0) ? outer : outer * 0.45;
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const QPointF pt(c.x() + radius * std::cos(angle), c.y() + radius * std::sin(angle));
        i == 0 ? star.moveTo(pt) : star.lineTo(pt);
    }
    star.closeSubpath();
    p.setBrush(QColor(235, 190, 40));
    p.drawPath(star);
}

} // namespace

QIcon buttonPicture(ButtonPicture picture, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    const QRectF r(0, 0, size.width(), size.height());
    switch (picture) {
    case ButtonPicture::EnterOrders:
        drawSheet(p, r);
        break;
    case ButtonPicture::EditOrders:
        drawGrid(p, r);
        break;
    case ButtonPicture::UpdateData:
        drawArrowDown(p, r);
        break;
    case ButtonPicture::SaveOrders:
        drawDisk(p, r);
        break;
    case ButtonPicture::ClearOrders:
        drawCross(p, r);
        break;
    case ButtonPicture::NewEmpire:
        drawStar(p, r);
        break;
    }
    return QIcon(pixmap);
}

} // namespace vf
