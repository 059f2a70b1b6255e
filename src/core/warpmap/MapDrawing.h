#pragma once

#include "warpmap/Route.h"
#include "warpmap/WarpMap.h"

#include <QColor>
#include <QPointF>
#include <QSize>
#include <QTransform>

class QPainter;

namespace vf {

// How the warp map looks, named once: the window, its PNG and its SVG are one drawing.
namespace mapstyle {
inline const QColor kBackground(Qt::white);
inline const QColor kLink(0x7a, 0x8a, 0xa6);
inline const QColor kStub(0xb0, 0x70, 0x30); // an unexplored warp point, and its "?"
inline const QColor kStar(0x20, 0x30, 0x50);
inline const QColor kPopulated(0x2e, 0x8b, 0x57); // the ring round a star with population groups
inline const QColor kFleet(0xc0, 0x30, 0x30);     // the mark over a star where fleets are
inline const QColor kName(Qt::black);
inline const QColor kMarked(Qt::black);         // the ring round the star the player marked
inline const QColor kRoute(0xd0, 0x20, 0xa0);   // a route planned, over the lines
inline const QColor kAvoided(0xe0, 0x10, 0x10); // the cross over a star the route avoids
inline const QColor kMove(0x10, 0x60, 0xd0);    // an arrow of a MOVE stored this turn
// While a star is marked, its own lines and neighbours are drawn strong, the rest faded to this
// strength (paler towards the background).
constexpr double kFaded = 0.3;
constexpr double kMarkedLinkWidth = 2.5;

// Sizes in pixels of the drawing, whatever its scale.
constexpr double kStarRadius = 3;
constexpr double kRingRadius = 6;
constexpr double kRingWidth = 2;
constexpr double kMarkedRadius = 10;
constexpr double kMarkedWidth = 2;
constexpr double kStubLength = 22;
constexpr double kFleetMarkHalfWidth = 4;
constexpr double kFleetMarkBottom = 7; // above the star's middle
constexpr double kFleetMarkTop = 12;
constexpr double kRouteWidth = 4;
constexpr double kAvoidedHalf = 7; // half the cross's width
constexpr double kMoveWidth = 2;
constexpr double kArrowHead = 8;
inline const QPointF kNameOffset(9, 4); // from the star's middle to the start of its name
constexpr int kPictureNamePixels = 12;  // the names' size in a saved picture
// Names are written once neighbouring stars lie this far apart on screen, or few are in sight.
constexpr double kRoomForNames = 36;
// Closer than this on screen, stars are drawn smaller, so that a crowded map is not a blot.
constexpr double kRoomForMarks = 24;
constexpr int kFewStars = 150;
} // namespace mapstyle

// A MOVE stored this turn, from the star it leaves to the star its warp point leads to.
struct MapMove {
    int from = 0;
    int to = 0;
    int fleet = 0;
    friend bool operator==(const MapMove&, const MapMove&) = default;
};

// What the player put over the map: a route (drawn strong over the lines, its stars named),
// the stars it avoids (crossed out), this turn's moves (arrows labelled with the fleet).
// When onlyStars is not empty, only the stars it marks true are drawn, with the lines between
// them (the stars near one, say).
struct MapOverlay {
    std::vector<RouteJump> route;
    std::vector<int> avoided;
    std::vector<MapMove> moves;
    std::vector<bool> onlyStars;
};

// Draws the warp map as seen through toScreen: the stars in shown (a rectangle of the map),
// their links and unexplored warp points, rings round populated stars and marks over those
// where fleets are; names once there is room for them (stars far enough apart on screen, or
// few stars in sight), never one over another. The marked star (-1: none) is ringed, its lines
// drawn strong and its neighbours and itself always named, the rest of the map faded; the
// stars of a route are always named too. Names are written in the painter's font.
void paintMap(QPainter& painter, const WarpMap& map, const QTransform& toScreen,
              const QRectF& shown, int marked, const MapOverlay& overlay = {});

} // namespace vf
