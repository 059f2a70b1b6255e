#pragma once

#include "WarpMap.h"

#include <QString>

#include <memory>
#include <vector>

namespace vf {

// One MOVE: from a star through one of its own warp points to the star it leads to.
struct RouteJump {
    int from = 0;
    int to = 0;
    int warpPointId = 0;
    friend bool operator==(const RouteJump&, const RouteJump&) = default;
};

enum class RouteOutcome {
    Found,
    AlreadyThere,
    // Not even linked on the map, whichever way the warp points lead.
    SeparateGroups,
    // Linked on the map, but along every way some warp point is known from its far end only.
    OneWayOnly,
    // A route exists, but each passes an avoided star.
    CutByAvoided,
    // The destination is itself avoided.
    DestinationAvoided,
    // The start or the destination is no star of the map.
    UnknownStar,
};

// The fewest jumps from one star to another (star indices of the map), or why there are none.
struct Route {
    RouteOutcome outcome = RouteOutcome::UnknownStar;
    int from = -1;
    int to = -1;
    std::vector<RouteJump> jumps;
};

// Searches the warp points of one map, read once, as often as asked.
//
// A fleet leaves a star only through that star's own warp points, and never enters an avoided
// star (a star is avoided when `avoided[star]` is true; stars past the vector's end are not).
// The star it leaves is never entered again, so avoiding it changes nothing; avoiding the
// destination leaves no route. Of the routes with the fewest jumps, the one whose warp point
// numbers, read jump by jump, come first is taken: the lowest first jump's number, then the
// lowest second, and so on.
class RouteFinder {
public:
    explicit RouteFinder(const WarpMap& map);
    ~RouteFinder();
    RouteFinder(const RouteFinder&) = delete;
    RouteFinder& operator=(const RouteFinder&) = delete;

    Route find(int from, int to, const std::vector<bool>& avoided = {}) const;
    // The stars a fleet at the star reaches in that many jumps or fewer, the star itself
    // included (marked true, by index); none for a star not on the map.
    std::vector<bool> within(int star, int jumps) const;

private:
    struct Graph;
    std::unique_ptr<Graph> m_graph;
};

// One search of a map (RouteFinder, for more than one).
Route findRoute(const WarpMap& map, int from, int to, const std::vector<bool>& avoided = {});

// The route in the player's words: "2 jumps: Sol → Vega by Warp Point # 5, Vega → Altair by Warp
// Point # 9", "Sol: already there", "No known warp points lead from Sol to Kappa Ceti: ...".
QString routeText(const WarpMap& map, const Route& route);

} // namespace vf
