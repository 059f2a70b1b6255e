#include "ThinLines.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vf {

namespace {

// A line longer than this many times the picture's size is left to the painter, which clips it.
constexpr int kLongest = 2;

bool drawsOnPixels(const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    if (!device || painter.transform().type() != QTransform::TxNone)
        return false;
    switch (device->devType()) {
    case QInternal::Widget:
    case QInternal::Image:
    case QInternal::Pixmap:
        return true;
    default:
        return false;
    }
}

// Bresenham's line, each pixel inside the layer set (pixels: the layer's first line).
void setLine(QRgb* pixels, qsizetype perLine, QRect inside, QPoint from, QPoint to, QRgb ink)
{
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint at = from;
    for (;;) {
        if (inside.contains(at))
            pixels[at.y() * perLine + at.x()] = ink;
        if (at == to)
            return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += stepY;
        }
    }
}

// A layer the size of the painter's device in pixels, clear.
QImage layerFor(const QPainter& painter)
{
    const QPaintDevice& device = *painter.device();
    QImage layer(QSize(device.width(), device.height()) * device.devicePixelRatioF(),
                 QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    return layer;
}

} // namespace

void fillSquares(QPainter& painter, const QList<QRect>& squares, const QColor& colour)
{
    if (squares.isEmpty())
        return;
    if (!drawsOnPixels(painter) || colour.alpha() != 255) {
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawRects(squares);
        painter.restore();
        return;
    }
    const double ratio = painter.device()->devicePixelRatioF();
    QImage layer = layerFor(painter);
    auto* pixels = reinterpret_cast<QRgb*>(layer.bits());
    const qsizetype perLine = layer.bytesPerLine() / qsizetype(sizeof(QRgb));
    const QRgb ink = colour.rgba();
    for (const QRect& square : squares) {
        const QRect onLayer = QRect(QPoint(int(std::lround(square.left() * ratio)),
                                           int(std::lround(square.top() * ratio))),
                                    square.size() * ratio) &
                              layer.rect();
        for (int y = onLayer.top(); y <= onLayer.bottom(); ++y)
            std::fill_n(pixels + y * perLine + onLayer.left(), onLayer.width(), ink);
    }
    layer.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(0, 0), layer);
}

void drawThinLines(QPainter& painter, const QList<QLineF>& lines, const QColor& colour)
{
    if (lines.isEmpty())
        return;
    if (!drawsOnPixels(painter) || colour.alpha() != 255) {
        painter.setPen(QPen(colour, 0));
        painter.drawLines(lines);
        return;
    }
    const double ratio = painter.device()->devicePixelRatioF();
    QImage layer = layerFor(painter);
    const double longest = kLongest * (layer.width() + layer.height());
    auto* pixels = reinterpret_cast<QRgb*>(layer.bits());
    const qsizetype perLine = layer.bytesPerLine() / qsizetype(sizeof(QRgb));
    QList<QLineF> left;
    for (const QLineF& line : lines) {
        const QLineF onLayer(line.p1() * ratio, line.p2() * ratio);
        if (onLayer.length() > longest)
            left << line;
        else
            setLine(pixels, perLine, layer.rect(), onLayer.p1().toPoint(), onLayer.p2().toPoint(),
                    colour.rgba());
    }
    layer.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(0, 0), layer);
    painter.setPen(QPen(colour, 0));
    painter.drawLines(left);
}

} // namespace vf
