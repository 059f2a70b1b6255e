#include "MapDrawing.h"

#include "MapLayout.h"
#include "NameRoom.h"
#include "ThinLines.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <set>
#include <tuple>

namespace vf {

using namespace mapstyle;

namespace {

bool isSet(const std::vector<bool>& flags, int index)
{
    return std::size_t(index) < flags.size() && flags[std::size_t(index)];
}

// The colour as drawn at that strength over the map's background: 1 as it is, less paler.
QColor toned(const QColor& colour, double strength)
{
    const auto mix = [strength](int ink, int paper) {
        return int(std::lround(paper + (ink - paper) * strength));
    };
    return QColor(mix(colour.red(), kBackground.red()), mix(colour.green(), kBackground.green()),
                  mix(colour.blue(), kBackground.blue()));
}

// What one frame draws: the stars in sight, where on screen, and which are drawn strong.
struct Frame {
    const WarpMap& map;
    const QTransform& toScreen;
    const QRectF& shown;
    const MapOverlay& overlay;
    int marked = -1;
    std::vector<int> inSight;
    std::vector<QPointF> at;  // where each star in sight is drawn
    std::vector<bool> strong; // the marked star and its neighbours (empty: nothing marked)
    double markScale = 1;     // the stars' marks, smaller on a crowded map
    bool named = false;       // every star's name is written where there is room

    bool drawn(int star) const
    {
        return overlay.onlyStars.empty() || isSet(overlay.onlyStars, star);
    }
    bool linkDrawn(const MapLink& link) const
    {
        if (!drawn(link.from) || !drawn(link.to))
            return false;
        const QPointF a = map.stars[link.from].at;
        const QPointF b = map.stars[link.to].at;
        return shown.intersects(QRectF(a, b).normalized().adjusted(-1, -1, 1, 1));
    }
};

// The marked star and the stars its lines lead to.
std::vector<bool> neighbourhood(const WarpMap& map, int marked)
{
    std::vector<bool> strong;
    if (marked < 0 || marked >= map.stars.size())
        return strong;
    strong.assign(std::size_t(map.stars.size()), false);
    strong[std::size_t(marked)] = true;
    for (const MapLink& link : map.links) {
        if (link.from == marked)
            strong[std::size_t(link.to)] = true;
        else if (link.to == marked)
            strong[std::size_t(link.from)] = true;
    }
    return strong;
}

// The links keep is true of; thin ones on a crowded map (not drawn smoothly) set pixel by pixel.
template <typename Keep>
void paintLinks(QPainter& painter, const Frame& frame, const QPen& pen, Keep keep,
                bool thin = false)
{
    QList<QLineF> lines;
    for (const MapLink& link : frame.map.links) {
        if (keep(link) && frame.linkDrawn(link))
            lines << QLineF(frame.toScreen.map(frame.map.stars[link.from].at),
                            frame.toScreen.map(frame.map.stars[link.to].at));
    }
    if (thin && !painter.testRenderHint(QPainter::Antialiasing)) {
        drawThinLines(painter, lines, pen.color());
        return;
    }
    painter.setPen(pen);
    painter.drawLines(lines);
}

// The unexplored warp points' lines; where they end is where their "?" goes.
QList<QLineF> paintStubs(QPainter& painter, const Frame& frame, double strength)
{
    QList<QLineF> lines;
    for (const MapStub& stub : frame.map.stubs) {
        const QPointF at = frame.map.stars[stub.star].at;
        if (frame.shown.contains(at) && frame.drawn(stub.star)) {
            const QPointF from = frame.toScreen.map(at);
            lines << QLineF(from, from + stub.direction * kStubLength * frame.markScale);
        }
    }
    // (Solid and not smoothed on a crowded map: set pixel by pixel, as the links are.)
    if (!frame.named && !painter.testRenderHint(QPainter::Antialiasing)) {
        drawThinLines(painter, lines, toned(kStub, strength));
        return lines;
    }
    painter.setPen(QPen(toned(kStub, strength), 1, frame.named ? Qt::DashLine : Qt::SolidLine));
    painter.drawLines(lines);
    return lines;
}

// A "?" past each unexplored warp point's line, where names are written and it covers none.
void paintUnexplored(QPainter& painter, const Frame& frame, const QList<QLineF>& stubs,
                     NameRoom& room, double strength)
{
    if (!frame.named)
        return;
    const QFontMetricsF metrics(painter.font());
    const QString unexplored = QStringLiteral("?");
    const QRectF box = metrics.boundingRect(unexplored);
    painter.setPen(toned(kStub, strength));
    for (const QLineF& line : stubs) {
        const QPointF at = line.p2() + (line.p2() - line.p1()) / 4 + QPointF(-3, 5);
        if (room.take(box.translated(at)))
            painter.drawText(at, unexplored);
    }
}

// Rings round populated stars, fleet marks and the dots of the stars in sight that keep is
// true of, each pass with one pen and brush. On a crowded map, where the marks are a few
// pixels wide, they are drawn as squares in one call a pass: they look the same there and take
// a fraction of the time.
template <typename Keep>
void paintStarMarks(QPainter& painter, const Frame& frame, Keep keep, double strength)
{
    const double scale = frame.markScale;
    const bool tiny = scale < 0.75;
    // Tiny marks are filled into a layer at once (see fillSquares) in the pass's colour.
    const auto each = [&](auto holds, auto draw, const QColor& colour) {
        QList<QRect> squares;
        for (std::size_t i = 0; i < frame.inSight.size(); ++i) {
            const MapStar& star = frame.map.stars[frame.inSight[i]];
            if (keep(frame.inSight[i]) && holds(star))
                draw(frame.at[i], squares);
        }
        fillSquares(painter, squares, colour);
    };
    // (Whole pixels: the painter fills those fastest.)
    const auto around = [](QPointF at, double radius) {
        const int side = std::max(1, int(std::lround(2 * radius)));
        return QRect((at - QPointF(radius, radius)).toPoint(), QSize(side, side));
    };
    // (A ring's pen a whole pixel wide at least: a thinner one is drawn much more slowly. A
    // tiny ring is a square filled behind the star's dot: outlines are slower to draw.)
    painter.setPen(
        QPen(toned(kPopulated, strength), std::max(1.0, std::round(kRingWidth * scale))));
    painter.setBrush(Qt::NoBrush);
    each([](const MapStar& star) { return star.populationGroups > 0; },
         [&](QPointF at, QList<QRect>& squares) {
             if (tiny)
                 squares << around(at, kRingRadius * scale);
             else
                 painter.drawEllipse(at, kRingRadius * scale, kRingRadius * scale);
         },
         toned(kPopulated, strength));
    painter.setPen(Qt::NoPen);
    painter.setBrush(toned(kFleet, strength));
    each([](const MapStar& star) { return star.fleets > 0; },
         [&](QPointF at, QList<QRect>& squares) {
             const QPointF tip = at + QPointF(0, -kFleetMarkTop) * scale;
             if (tiny)
                 squares << around(tip + QPointF(0, kFleetMarkHalfWidth * scale),
                                   kFleetMarkHalfWidth * scale);
             else
                 painter.drawPolygon(
                     QPolygonF{at + QPointF(-kFleetMarkHalfWidth, -kFleetMarkBottom) * scale,
                               at + QPointF(kFleetMarkHalfWidth, -kFleetMarkBottom) * scale, tip});
         },
         toned(kFleet, strength));
    painter.setBrush(toned(kStar, strength));
    each([](const MapStar&) { return true; },
         [&](QPointF at, QList<QRect>& squares) {
             if (tiny)
                 squares << around(at, kStarRadius * scale);
             else
                 painter.drawEllipse(at, kStarRadius * scale, kStarRadius * scale);
         },
         toned(kStar, strength));
    painter.setBrush(Qt::NoBrush);
}

QString nameOf(const MapStar& star)
{
    return star.populationGroups > 0
               ? star.name + QStringLiteral(" (%1)").arg(star.populationGroups)
               : star.name;
}

// Where a star's name of that box may go, best first: to its right, its left, above, below.
std::array<QRectF, 4> namePlaces(const QRectF& box, QPointF star, double gap)
{
    return {box.translated(star + QPointF(gap, kNameOffset.y())),
            box.translated(star + QPointF(-gap - box.width() - box.left(), kNameOffset.y())),
            box.translated(star + QPointF(-box.width() / 2 - box.left(), -gap - box.bottom())),
            box.translated(star + QPointF(-box.width() / 2 - box.left(), gap - box.top()))};
}

// The first place for the name that covers no name written before, taken; none when there is
// none (the name is left out). Before the name is measured, the room for its shortest box is
// looked at: on a crowded map most names find none, and measuring a name costs more.
// The box every name covers at least: one letter.
QRectF leastNameBox(const QFontMetricsF& metrics)
{
    return QRectF(0, -metrics.ascent(), metrics.averageCharWidth(), metrics.height());
}

bool anyRoomFor(const NameRoom& room, const QRectF& least, QPointF star, double gap)
{
    const auto places = namePlaces(least, star, gap);
    return std::any_of(places.begin(), places.end(),
                       [&room](const QRectF& place) { return room.isFree(place); });
}

std::optional<QRectF> placeName(NameRoom& room, const QFontMetricsF& metrics, const QString& name,
                                QPointF star, double gap)
{
    if (!anyRoomFor(room, leastNameBox(metrics), star, gap))
        return std::nullopt;
    const QRectF box = metrics.boundingRect(name);
    for (const QRectF& place : namePlaces(box, star, gap)) {
        if (room.take(place))
            return place.translated(-box.topLeft());
    }
    return std::nullopt;
}

// The names, those that must be read first: the marked star's, the route's stars', the
// marked star's neighbours', the stars where the empire is (population groups, fleets), then
// the rest where names are written. Names of faded stars are faded.
void paintNames(QPainter& painter, const Frame& frame, NameRoom& room)
{
    const std::vector<bool> onRoute = [&frame] {
        std::vector<bool> on(std::size_t(frame.map.stars.size()), false);
        for (const RouteJump& jump : frame.overlay.route)
            on[std::size_t(jump.from)] = on[std::size_t(jump.to)] = true;
        return on;
    }();
    constexpr int kUnnamed = 5;
    const auto rank = [&](int star) {
        const MapStar& shown = frame.map.stars[star];
        if (star == frame.marked)
            return 0;
        if (isSet(onRoute, star))
            return 1;
        if (isSet(frame.strong, star))
            return 2;
        if (shown.populationGroups > 0 || shown.fleets > 0)
            return 3;
        return frame.named ? 4 : kUnnamed;
    };
    std::vector<std::pair<int, std::size_t>> order; // (rank, index in sight)
    for (std::size_t i = 0; i < frame.inSight.size(); ++i) {
        if (const int r = rank(frame.inSight[i]); r < kUnnamed)
            order.emplace_back(r, i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    const QFontMetricsF metrics(painter.font());
    const QRectF least = leastNameBox(metrics);
    const QColor strong = kName;
    const QColor faded = toned(kName, frame.strong.empty() ? 1 : kFaded);
    for (const auto& [r, i] : order) {
        // (The marked star's name clears its ring.)
        const double gap = r == 0 ? kMarkedRadius + kMarkedWidth : kNameOffset.x();
        if (!anyRoomFor(room, least, frame.at[i], gap))
            continue; // (before the name is even put together: most on a crowded map)
        const QString name = nameOf(frame.map.stars[frame.inSight[i]]);
        const auto place = placeName(room, metrics, name, frame.at[i], gap);
        if (!place)
            continue;
        painter.setPen(r > 2 ? faded : strong);
        painter.drawText(place->topLeft(), name);
    }
}

void paintRoute(QPainter& painter, const Frame& frame)
{
    QList<QLineF> lines;
    for (const RouteJump& jump : frame.overlay.route)
        lines << QLineF(frame.toScreen.map(frame.map.stars[jump.from].at),
                        frame.toScreen.map(frame.map.stars[jump.to].at));
    painter.setPen(QPen(kRoute, kRouteWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLines(lines);
}

// An arrow along the warp point's line, its head short of the star it leads to, the fleet's
// number at its middle.
void paintMoves(QPainter& painter, const Frame& frame)
{
    painter.setPen(QPen(kMove, kMoveWidth));
    painter.setBrush(kMove);
    std::set<std::tuple<int, int, int>> drawn; // a move ordered twice is one arrow
    for (const MapMove& move : frame.overlay.moves) {
        if (!drawn.insert({move.from, move.to, move.fleet}).second)
            continue;
        const QLineF line(frame.toScreen.map(frame.map.stars[move.from].at),
                          frame.toScreen.map(frame.map.stars[move.to].at));
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

void paintAvoided(QPainter& painter, const Frame& frame)
{
    painter.setPen(QPen(kAvoided, kRingWidth));
    for (const int star : frame.overlay.avoided) {
        const QPointF at = frame.toScreen.map(frame.map.stars[star].at);
        painter.drawLine(at + QPointF(-kAvoidedHalf, -kAvoidedHalf),
                         at + QPointF(kAvoidedHalf, kAvoidedHalf));
        painter.drawLine(at + QPointF(-kAvoidedHalf, kAvoidedHalf),
                         at + QPointF(kAvoidedHalf, -kAvoidedHalf));
    }
}

void paintMarkedRing(QPainter& painter, const Frame& frame)
{
    if (frame.marked < 0 || !frame.shown.contains(frame.map.stars[frame.marked].at))
        return;
    painter.setPen(QPen(kMarked, kMarkedWidth));
    painter.drawEllipse(frame.toScreen.map(frame.map.stars[frame.marked].at), kMarkedRadius,
                        kMarkedRadius);
}

} // namespace

void paintMap(QPainter& painter, const WarpMap& map, const QTransform& toScreen,
              const QRectF& shown, int marked, const MapOverlay& overlay)
{
    Frame frame{map, toScreen, shown, overlay, -1, {}, {}, {}, 1, false};
    frame.marked = marked >= 0 && marked < map.stars.size() && frame.drawn(marked) ? marked : -1;
    for (int i = 0; i < map.stars.size(); ++i) {
        if (shown.contains(map.stars[i].at) && frame.drawn(i)) {
            frame.inSight.push_back(i);
            frame.at.push_back(toScreen.map(map.stars[i].at));
        }
    }
    const double spacing = toScreen.m11() * kStarSpacing;
    frame.named = frame.inSight.size() <= std::size_t(kFewStars) || spacing >= kRoomForNames;
    frame.markScale = std::clamp(spacing / kRoomForMarks, 0.4, 1.0);
    frame.strong = neighbourhood(map, frame.marked);
    constexpr std::size_t kMostSmoothed = 2000; // stars drawn smoothly; more are drawn faster
    painter.setRenderHint(QPainter::Antialiasing, frame.inSight.size() <= kMostSmoothed);

    const double strength = frame.strong.empty() ? 1 : kFaded;
    const auto isStrong = [&frame](int star) { return isSet(frame.strong, star); };
    NameRoom room;
    // Lines crowded closer than the stars' marks are drawn paler, so the stars show; a pixel
    // wide whatever the zoom.
    paintLinks(
        painter, frame,
        QPen(toned(kLink, strength * std::clamp(spacing / kRoomForMarks, 0.25, 1.0)), 0),
        [](const MapLink&) { return true; }, true);
    const QList<QLineF> stubs = paintStubs(painter, frame, strength);
    paintStarMarks(
        painter, frame, [&](int star) { return !isStrong(star); }, strength);
    paintLinks(painter, frame, QPen(kMarked, kMarkedLinkWidth), [&frame](const MapLink& link) {
        return link.from == frame.marked || link.to == frame.marked;
    });
    paintMoves(painter, frame);
    paintRoute(painter, frame);
    paintStarMarks(painter, frame, isStrong, 1);
    paintMarkedRing(painter, frame);
    paintNames(painter, frame, room);
    paintUnexplored(painter, frame, stubs, room, strength);
    paintAvoided(painter, frame);
}

} // namespace vf
