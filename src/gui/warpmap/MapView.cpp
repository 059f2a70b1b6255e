#include "MapView.h"

#include "warpmap/MapDrawing.h"
#include "warpmap/MapLayout.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QNativeGestureEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vf {

namespace {

constexpr double kPickPixels = 10;
constexpr double kPanPixels = 60;
constexpr double kZoomStep = 1.25;

} // namespace

MapView::MapView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Map"));
    setAccessibleName(QStringLiteral("Warp map"));
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setMinimumSize(200, 150);
    setCursor(Qt::OpenHandCursor);
}

void MapView::setMap(const WarpMap* map)
{
    m_map = map;
    m_marked = -1;
    fit();
}

QTransform MapView::toScreen() const
{
    QTransform transform;
    transform.translate(width() / 2.0, height() / 2.0);
    transform.scale(m_scale, m_scale);
    transform.translate(-m_centre.x(), -m_centre.y());
    return transform;
}

QPointF MapView::screenPointOf(int star) const
{
    return toScreen().map(m_map->stars[star].at);
}

void MapView::fit()
{
    if (!m_map || m_map->stars.isEmpty())
        return;
    const QRectF bounds = mapBounds(*m_map, m_drawn);
    m_centre = bounds.center();
    m_scale = std::min(width() / bounds.width(), height() / bounds.height());
    m_fitting = true;
    update();
}

void MapView::setPlace(const MapViewPlace& place)
{
    if (!(place.scale > 0))
        return;
    m_centre = place.centre;
    m_scale = place.scale;
    m_fitting = false;
    update();
}

void MapView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_fitting)
        fit();
}

void MapView::centreOn(int star)
{
    if (!m_map || star < 0 || star >= m_map->stars.size())
        return;
    m_centre = m_map->stars[star].at;
    // Close enough to read the names around it.
    m_scale = std::max(m_scale, mapstyle::kRoomForNames / kStarSpacing);
    m_fitting = false;
    mark(star);
}

void MapView::setOverlay(const MapOverlay* overlay)
{
    m_overlay = overlay;
    // Stars shown or hidden: what is in sight is fitted again.
    std::vector<bool> drawn = overlay ? overlay->onlyStars : std::vector<bool>{};
    if (drawn != m_drawn) {
        m_drawn = std::move(drawn);
        fit();
    }
    update();
}

bool MapView::isDrawn(int star) const
{
    return m_drawn.empty() || (std::size_t(star) < m_drawn.size() && m_drawn[std::size_t(star)]);
}

void MapView::contextMenuEvent(QContextMenuEvent* event)
{
    int star = -1;
    if (event->reason() == QContextMenuEvent::Mouse) {
        star = starAt(event->pos());
        if (star >= 0)
            mark(star);
    } else {
        star = m_marked;
    }
    if (star < 0)
        return;
    const QPoint at = event->reason() == QContextMenuEvent::Mouse
                          ? event->globalPos()
                          : mapToGlobal(screenPointOf(star).toPoint());
    Q_EMIT starMenuRequested(star, at);
}

void MapView::mark(int star)
{
    m_marked = star;
    setAccessibleDescription(star >= 0 ? m_map->stars[star].name : QString());
    update();
}

void MapView::paintEvent(QPaintEvent*)
{
    if (!m_map)
        return;
    QPainter painter(this);
    const QTransform transform = toScreen();
    const QRectF shown = transform.inverted().mapRect(QRectF(rect()).adjusted(-80, -20, 20, 20));
    paintMap(painter, *m_map, transform, shown, m_marked, m_overlay ? *m_overlay : MapOverlay{});
}

int MapView::starAt(QPointF point) const
{
    if (!m_map)
        return -1;
    int nearest = -1;
    double best = kPickPixels;
    for (int i = 0; i < m_map->stars.size(); ++i) {
        if (!isDrawn(i))
            continue;
        const QPointF d = screenPointOf(i) - point;
        const double distance = std::hypot(d.x(), d.y());
        if (distance <= best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

void MapView::mousePressEvent(QMouseEvent* event)
{
    m_pressedAt = m_lastDrag = event->position();
    m_dragged = false;
    setCursor(Qt::ClosedHandCursor);
}

void MapView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPointF moved = event->position() - m_lastDrag;
    m_lastDrag = event->position();
    if ((event->position() - m_pressedAt).manhattanLength() > 3)
        m_dragged = true;
    m_centre -= moved / m_scale;
    m_fitting = false;
    update();
}

void MapView::mouseReleaseEvent(QMouseEvent* event)
{
    setCursor(Qt::OpenHandCursor);
    if (m_dragged || event->button() != Qt::LeftButton)
        return;
    if (const int star = starAt(event->position()); star >= 0) {
        mark(star);
        Q_EMIT starOpened(star);
    }
}

// A pinch on a touchpad or a touch screen, where the system tells of one.
bool MapView::event(QEvent* event)
{
    if (event->type() == QEvent::NativeGesture) {
        const auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            zoomBy(1 + gesture->value(), gesture->position());
            return true;
        }
    }
    return QWidget::event(event);
}

void MapView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0)
        zoomBy(std::pow(kZoomStep, notches), event->position());
    event->accept();
}

void MapView::zoomBy(double factor, QPointF around)
{
    // The point under the mouse stays where it is.
    const QPointF before = toScreen().inverted().map(around);
    m_scale = std::clamp(m_scale * factor, 1e-4, 50.0);
    const QPointF after = toScreen().inverted().map(around);
    m_centre += before - after;
    m_fitting = false;
    update();
}

void MapView::keyPressEvent(QKeyEvent* event)
{
    const QPointF middle(width() / 2.0, height() / 2.0);
    switch (event->key()) {
    case Qt::Key_Left:
        m_centre.rx() -= kPanPixels / m_scale;
        break;
    case Qt::Key_Right:
        m_centre.rx() += kPanPixels / m_scale;
        break;
    case Qt::Key_Up:
        m_centre.ry() -= kPanPixels / m_scale;
        break;
    case Qt::Key_Down:
        m_centre.ry() += kPanPixels / m_scale;
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomBy(kZoomStep, middle);
        return;
    case Qt::Key_Minus:
        zoomBy(1 / kZoomStep, middle);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_marked >= 0)
            Q_EMIT starOpened(m_marked);
        return;
    case Qt::Key_Home:
    case Qt::Key_End:
        markFirstDrawn(event->key() == Qt::Key_Home);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    m_fitting = false;
    update();
}

void MapView::markFirstDrawn(bool first)
{
    if (!m_map)
        return;
    const int step = first ? 1 : -1;
    for (int star = first ? 0 : int(m_map->stars.size()) - 1;
         star >= 0 && star < m_map->stars.size(); star += step) {
        if (isDrawn(star))
            return centreOn(star);
    }
}

// Tab goes through the stars in name order; after the last (Shift+Tab: before the first) it
// leaves the map, as from any other box.
bool MapView::focusNextPrevChild(bool next)
{
    if (!hasFocus() || !m_map || m_map->stars.isEmpty())
        return QWidget::focusNextPrevChild(next);
    const int step = next ? 1 : -1;
    int star = next || m_marked >= 0 ? m_marked + step : -1;
    while (star >= 0 && star < m_map->stars.size() && !isDrawn(star))
        star += step;
    if (star < 0 || star >= m_map->stars.size())
        return QWidget::focusNextPrevChild(next);
    centreOn(star);
    return true;
}

} // namespace vf
