#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

namespace vf {

class Store;

// A star of the map: where it is laid out, and what of the empire's is there.
struct MapStar {
    QString name;
    QPointF at;
    int populationGroups = 0;
    int fleets = 0;
};

// A warp connection between two stars (indices, from < to): two warp points that lead to each
// other, or one whose way back is not known, are one link.
struct MapLink {
    int from = 0;
    int to = 0;
    friend bool operator==(const MapLink&, const MapLink&) = default;
};

// A warp point whose destination is not explored yet.
struct MapStub {
    int star = 0;
    int warpPointId = 0;
    // Which way its stub points from the star (of length 1): each stub of a star another way.
    QPointF direction;
};

// A warp point whose destination is a star of the map (indices). A MOVE through it takes a fleet
// from its star to that one, never the other way.
struct MapWarpPoint {
    int star = 0;
    int id = 0;
    int to = 0;
    friend bool operator==(const MapWarpPoint&, const MapWarpPoint&) = default;
};

// The empire's stars and warp points as a map: every star its turn data names (systems, the
// ends of warp points, where population groups and fleets are), in name order.
struct WarpMap {
    QList<MapStar> stars;
    std::vector<MapLink> links;
    std::vector<MapStub> stubs;
    // The explored warp points, in the order of the turn data (the links are drawn from them).
    std::vector<MapWarpPoint> warpPoints;

    // The star of that name, any letter case; -1 when the map has none.
    int indexOf(const QString& name) const;
    // The first star, in name order, whose name begins with the text (any letter case).
    int firstStartingWith(const QString& text) const;
    // The star Find goes to: the first whose name begins with the text, else the first that
    // holds it anywhere ("prime" finds Keth'ra Prime), any letter case; -1: none.
    int bestMatch(const QString& text) const;
};

// The smallest rectangle holding the points (QRectF::united passes over empty rectangles).
QRectF boundsOf(const QList<QPointF>& points);
// The map's stars with room around them for their names; only those marked true in only, when
// it is not empty.
QRectF mapBounds(const WarpMap& map, const std::vector<bool>& only = {});

// The star a warp point leads to: "Vega" for "VegaB"; nothing for "?", "?4" or nothing.
QString destinationStar(const QString& destination);

WarpMap readWarpMap(const Store& store, int empireId);

// What a star holds, as the star panel lists it.
struct StarDetails {
    struct WarpPoint {
        int id = 0;
        QString leadsTo; // "Vega (B)", "unexplored"
    };
    struct Record {
        int number = 0;
        QString label;
    };
    QList<WarpPoint> warpPoints;
    QStringList orbits;
    QList<Record> populationGroups; // "Population Group # 101 (orbit 3)"
    QList<Record> fleets;           // "Fleet # 12 Home Guard"
};
StarDetails starDetails(const Store& store, int empireId, const QString& star);

// The fleets the turn data places at the star (by number); none when it does not say where
// fleets are.
QList<int> fleetsAt(const Store& store, int empireId, const QString& star);

} // namespace vf
