#include "MapDrawing.h"

#include "MapLayout.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace vf {

using namespace mapstyle;

namespace {

void paintLinks(QPainter& painter, const WarpMap& map, const QTransform& toScreen,
                const QRectF& shown)
{
    QList<QLineF> lines;
    for (const MapLink& link : map.links) {
        const QPointF a = map.stars[link.from].at;
        const QPointF b = map.stars[link.to].at;
        if (shown.intersects(QRectF(a, b).normalized().adjusted(-1, -1, 1, 1)))
            lines << QLineF(toScreen.map(a), toScreen.map(b));
    }
    painter.setPen(QPen(kLink, 1));
    painter.drawLines(lines);
}

void paintStubs(QPainter& painter, const WarpMap& map, const QTransform& toScreen,
                const QRectF& shown, bool named)
{
    QList<QLineF> lines;
    for (const MapStub& stub : map.stubs) {
        const QPointF at = map.stars[stub.star].at;
        if (shown.contains(at)) {
            const QPointF from = toScreen.map(at);
            lines << QLineF(from, from + stub.direction * kStubLength);
        }
    }
    painter.setPen(QPen(kStub, 1, named ? Qt::DashLine : Qt::SolidLine));
    painter.drawLines(lines);
    if (!named)
        return;
    for (const QLineF& line : lines)
        painter.drawText(line.p2() + (line.p2() - line.p1()) / 4 + QPointF(-3, 5),
                         QStringLiteral("?"));
}

// Each star's name, the marked star's first; a name that would cover one already written is
// left out: it shows when zoomed in.
void paintNames(QPainter& painter, const WarpMap& map, const std::vector<int>& stars,
                const std::vector<QPointF>& at)
{
    painter.setPen(kName);
    const QFontMetricsF metrics(painter.font());
    std::vector<QRectF> written;
    for (std::size_t i = 0; i < stars.size(); ++i) {
        const MapStar& star = map.stars[stars[i]];
        QString name = star.name;
        if (star.populationGroups > 0)
            name += QStringLiteral(" (%1)").arg(star.populationGroups);
        const QPointF from = at[i] + kNameOffset;
        const QRectF room = metrics.boundingRect(name).translated(from);
        if (std::any_of(written.begin(), written.end(),
                        [&room](const QRectF& other) { return other.intersects(room); }))
            continue;
        written.push_back(room);
        painter.drawText(from, name);
    }
}

// The stars in sight, each drawing pass with one pen and brush: rings round populated stars,
// fleet marks, the dots, the marked star's ring, then the names.
void paintStars(QPainter& painter, const WarpMap& map, const std::vector<int>& inSight,
                const std::vector<QPointF>& at, bool named, int marked,
                const std::vector<bool>& alwaysNamed)
{
    painter.setPen(QPen(kPopulated, kRingWidth));
    painter.setBrush(Qt::NoBrush);
    for (std::size_t i = 0; i < inSight.size(); ++i) {
        if (map.stars[inSight[i]].populationGroups > 0)
            painter.drawEllipse(at[i], kRingRadius, kRingRadius);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kFleet);
    for (std::size_t i = 0; i < inSight.size(); ++i) {
        if (map.stars[inSight[i]].fleets > 0)
            painter.drawPolygon(QPolygonF{at[i] + QPointF(-kFleetMarkHalfWidth, -kFleetMarkBottom),
                                          at[i] + QPointF(kFleetMarkHalfWidth, -kFleetMarkBottom),
                                          at[i] + QPointF(0, -kFleetMarkTop)});
    }
    painter.setBrush(kStar);
    for (const QPointF& point : at)
        painter.drawEllipse(point, kStarRadius, kStarRadius);
    painter.setBrush(Qt::NoBrush);
    std::vector<int> toName;
    std::vector<QPointF> nameAt;
    for (std::size_t i = 0; i < inSight.size(); ++i) {
        if (inSight[i] == marked) {
            painter.setPen(QPen(kMarked, kMarkedWidth));
            painter.drawEllipse(at[i], kMarkedRadius, kMarkedRadius);
            toName.insert(toName.begin(), inSight[i]);
            nameAt.insert(nameAt.begin(), at[i]);
        } else if (named || (std::size_t(inSight[i]) < alwaysNamed.size() &&
                             alwaysNamed[std::size_t(inSight[i])])) {
            toName.push_back(inSight[i]);
            nameAt.push_back(at[i]);
        }
    }
    paintNames(painter, map, toName, nameAt);
}

// The stars a route passes: named whatever the zoom.
std::vector<bool> routeStars(const std::vector<RouteJump>& route)
{
    std::vector<bool> on;
    for (const RouteJump& jump : route) {
        const auto last = std::size_t(std::max(jump.from, jump.to));
        if (on.size() <= last)
            on.resize(last + 1, false);
        on[std::size_t(jump.from)] = true;
        on[std::size_t(jump.to)] = true;
    }
    return on;
}

void paintRoute(QPainter& painter, const WarpMap& map, const QTransform& toScreen,
                const std::vector<RouteJump>& route)
{
    QList<QLineF> lines;
    for (const RouteJump& jump : route)
        lines << QLineF(toScreen.map(map.stars[jump.from].at), toScreen.map(map.stars[jump.to].at));
    painter.setPen(QPen(kRoute, kRouteWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLines(lines);
}

// An arrow along the warp point's line, its head short of the star it leads to, the fleet's
// number at its middle.
void paintMoves(QPainter& painter, const WarpMap& map, const QTransform& toScreen,
                const std::vector<MapMove>& moves)
{
    painter.setPen(QPen(kMove, kMoveWidth));
    painter.setBrush(kMove);
    for (const MapMove& move : moves) {
        const QLineF line(toScreen.map(map.stars[move.from].at),
                          toScreen.map(map.stars[move.to].at));
        if (line.length() < 2 * kArrowHead)
            continue;
        const QPointF tip = line.pointAt(1 - kMarkedRadius / line.length());
        const QLineF back = QLineF(tip, line.p1()).unitVector();
        const QPointF along = (back.p2() - back.p1()) * kArrowHead;
        const QPointF across(-along.y() / 2, along.x() / 2);
        painter.drawLine(line.p1(), tip);
        painter.drawPolygon(QPolygonF{tip, tip + along + across, tip + along - across});
        painter.drawText(line.pointAt(0.5) + QPointF(3, -3), QString::number(move.fleet));
    }
    painter.setBrush(Qt::NoBrush);
}

void paintAvoided(QPainter& painter, const WarpMap& map, const QTransform& toScreen,
                  const std::vector<int>& avoided)
{
    painter.setPen(QPen(kAvoided, kRingWidth));
    for (const int star : avoided) {
        const QPointF at = toScreen.map(map.stars[star].at);
        painter.drawLine(at + QPointF(-kAvoidedHalf, -kAvoidedHalf),
                         at + QPointF(kAvoidedHalf, kAvoidedHalf));
        painter.drawLine(at + QPointF(-kAvoidedHalf, kAvoidedHalf),
                         at + QPointF(kAvoidedHalf, -kAvoidedHalf));
    }
}

} // namespace

void paintMap(QPainter& painter, const WarpMap& map, const QTransform& toScreen,
              const QRectF& shown, int marked, const MapOverlay& overlay)
{
    std::vector<int> inSight;
    for (int i = 0; i < map.stars.size(); ++i) {
        if (shown.contains(map.stars[i].at))
            inSight.push_back(i);
    }
    const bool named =
        inSight.size() <= std::size_t(kFewStars) || toScreen.m11() * kStarSpacing >= kRoomForNames;
    constexpr std::size_t kMostSmoothed = 2000; // stars drawn smoothly; more are drawn faster
    painter.setRenderHint(QPainter::Antialiasing, inSight.size() <= kMostSmoothed);
    paintLinks(painter, map, toScreen, shown);
    paintStubs(painter, map, toScreen, shown, named);
    paintMoves(painter, map, toScreen, overlay.moves);
    paintRoute(painter, map, toScreen, overlay.route);
    std::vector<QPointF> at;
    at.reserve(inSight.size());
    for (const int i : inSight)
        at.push_back(toScreen.map(map.stars[i].at));
    paintStars(painter, map, inSight, at, named, marked, routeStars(overlay.route));
    paintAvoided(painter, map, toScreen, overlay.avoided);
}

void drawWholeMap(QPaintDevice& device, const WarpMap& map, const MapPicture& picture,
                  const MapOverlay& overlay)
{
    QPainter painter(&device);
    painter.fillRect(QRect(QPoint(), picture.size), mapstyle::kBackground);
    QFont names = painter.font();
    names.setPixelSize(mapstyle::kPictureNamePixels);
    painter.setFont(names);
    paintMap(painter, map, picture.toPicture, mapBounds(map), -1, overlay);
}

MapPicture wholeMapPicture(const WarpMap& map)
{
    const QRectF bounds = mapBounds(map);
    constexpr double kLargestSide = 4000;
    const double scale =
        std::min(1.0, kLargestSide / std::max({bounds.width(), bounds.height(), 1.0}));
    MapPicture picture;
    picture.size = (bounds.size() * scale).toSize().expandedTo(QSize(1, 1));
    picture.toPicture.scale(scale, scale);
    picture.toPicture.translate(-bounds.left(), -bounds.top());
    return picture;
}

} // namespace vf
