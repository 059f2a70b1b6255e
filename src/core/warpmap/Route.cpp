#include "Route.h"

#include <QStringList>

#include <boost/graph/breadth_first_search.hpp>
#include <boost/graph/compressed_sparse_row_graph.hpp>
#include <boost/graph/filtered_graph.hpp>
#include <boost/pending/disjoint_sets.hpp>
#include <boost/property_map/property_map.hpp>

#include <algorithm>
#include <limits>

namespace vf {

namespace {

// The warp points, built once into one block: an edge's index is its place in
// RouteFinder::Graph::jumps, and each star's edges keep the order of the jumps, the order they
// are tried in.
using Directed = boost::compressed_sparse_row_graph<boost::directedS>;

bool isAvoided(const std::vector<bool>& avoided, int star)
{
    return std::size_t(star) < avoided.size() && avoided[std::size_t(star)];
}

// The stars a fleet may enter: every one not avoided, and the one it starts from.
struct Enterable {
    const std::vector<bool>* avoided = nullptr;
    std::size_t start = 0;
    bool operator()(std::size_t star) const
    {
        return star == start || !isAvoided(*avoided, int(star));
    }
};

// Notes, for each star reached, the jump (by its index) it was first reached through.
struct RecordJump {
    using event_filter = boost::on_tree_edge;
    const Directed* warps = nullptr;
    std::vector<int>* cameBy = nullptr;
    template <typename Edge, typename Graph> void operator()(Edge edge, const Graph& graph) const
    {
        (*cameBy)[boost::target(edge, graph)] = int(boost::get(boost::edge_index, *warps, edge));
    }
};

// The map's warp points as jumps, each star's in order of their numbers (the order of the turn
// data among equal numbers); those naming no star of the map are left out.
std::vector<RouteJump> jumpsOf(const WarpMap& map)
{
    const auto onMap = [&map](int star) { return star >= 0 && star < map.stars.size(); };
    std::vector<RouteJump> jumps;
    jumps.reserve(map.warpPoints.size());
    for (const MapWarpPoint& warp : map.warpPoints) {
        if (onMap(warp.star) && onMap(warp.to))
            jumps.push_back({warp.star, warp.to, warp.id});
    }
    std::stable_sort(jumps.begin(), jumps.end(), [](const RouteJump& a, const RouteJump& b) {
        return std::pair(a.from, a.warpPointId) < std::pair(b.from, b.warpPointId);
    });
    return jumps;
}

// Where each jump leaves and arrives, in the order of the jumps.
std::vector<std::pair<std::size_t, std::size_t>> endsOf(const std::vector<RouteJump>& jumps)
{
    std::vector<std::pair<std::size_t, std::size_t>> ends;
    ends.reserve(jumps.size());
    for (const RouteJump& jump : jumps)
        ends.emplace_back(std::size_t(jump.from), std::size_t(jump.to));
    return ends;
}

// Each star's group, named by one of its stars: the stars linked to it whichever way the warp
// points lead.
std::vector<std::size_t> groupsOf(std::size_t stars, const std::vector<RouteJump>& jumps)
{
    std::vector<std::size_t> rank(stars);
    std::vector<std::size_t> parent(stars);
    const boost::typed_identity_property_map<std::size_t> byIndex;
    boost::disjoint_sets sets(boost::make_iterator_property_map(rank.begin(), byIndex),
                              boost::make_iterator_property_map(parent.begin(), byIndex));
    for (std::size_t star = 0; star < stars; ++star)
        sets.make_set(star);
    for (const RouteJump& jump : jumps)
        sets.union_set(std::size_t(jump.from), std::size_t(jump.to));
    std::vector<std::size_t> group(stars);
    for (std::size_t star = 0; star < stars; ++star)
        group[star] = sets.find_set(star);
    return group;
}

} // namespace

struct RouteFinder::Graph {
    std::vector<RouteJump> jumps; // every warp point a fleet may take, in the order tried
    Directed warps;               // the same, as Boost.Graph searches them
    std::vector<std::size_t> group;

    explicit Graph(const WarpMap& map)
        : jumps(jumpsOf(map))
        , warps(makeGraph(jumps, std::size_t(map.stars.size())))
        , group(groupsOf(std::size_t(map.stars.size()), jumps))
    {
    }

    static Directed makeGraph(const std::vector<RouteJump>& jumps, std::size_t stars)
    {
        const auto ends = endsOf(jumps);
        return Directed(boost::edges_are_sorted, ends.begin(), ends.end(), stars);
    }

    // The fewest jumps, none when the destination cannot be reached.
    std::vector<RouteJump> search(int from, int to, const std::vector<bool>& avoided) const
    {
        const boost::filtered_graph<Directed, boost::keep_all, Enterable> open(
            warps, boost::keep_all(), Enterable{&avoided, std::size_t(from)});
        std::vector<int> cameBy(boost::num_vertices(warps), -1);
        boost::breadth_first_search(
            open, boost::vertex(std::size_t(from), warps),
            boost::visitor(boost::make_bfs_visitor(RecordJump{&warps, &cameBy})));
        std::vector<RouteJump> route;
        for (int star = to; star != from && cameBy[std::size_t(star)] >= 0;
             star = route.back().from)
            route.push_back(jumps[std::size_t(cameBy[std::size_t(star)])]);
        std::reverse(route.begin(), route.end());
        return route;
    }
};

RouteFinder::RouteFinder(const WarpMap& map)
    : m_graph(std::make_unique<Graph>(map))
{
}

RouteFinder::~RouteFinder() = default;

Route RouteFinder::find(int from, int to, const std::vector<bool>& avoided) const
{
    Route route{RouteOutcome::Found, from, to, {}};
    const auto stars = int(boost::num_vertices(m_graph->warps));
    if (from < 0 || to < 0 || from >= stars || to >= stars)
        route.outcome = RouteOutcome::UnknownStar;
    else if (from == to)
        route.outcome = RouteOutcome::AlreadyThere;
    else if (isAvoided(avoided, to))
        route.outcome = RouteOutcome::DestinationAvoided;
    else if (m_graph->group[std::size_t(from)] != m_graph->group[std::size_t(to)])
        route.outcome = RouteOutcome::SeparateGroups;
    else
        route.jumps = m_graph->search(from, to, avoided);
    if (route.outcome == RouteOutcome::Found && route.jumps.empty()) {
        const bool anyAvoided = std::find(avoided.begin(), avoided.end(), true) != avoided.end();
        route.outcome = anyAvoided && !m_graph->search(from, to, {}).empty()
                            ? RouteOutcome::CutByAvoided
                            : RouteOutcome::OneWayOnly;
    }
    return route;
}

std::vector<bool> RouteFinder::within(int star, int jumps) const
{
    const std::size_t stars = boost::num_vertices(m_graph->warps);
    std::vector<bool> near(stars, false);
    if (star < 0 || std::size_t(star) >= stars)
        return near;
    constexpr int kFar = std::numeric_limits<int>::max();
    std::vector<int> distance(stars, kFar);
    distance[std::size_t(star)] = 0;
    boost::breadth_first_search(
        m_graph->warps, boost::vertex(std::size_t(star), m_graph->warps),
        boost::visitor(boost::make_bfs_visitor(boost::record_distances(
            boost::make_iterator_property_map(distance.begin(),
                                              boost::get(boost::vertex_index, m_graph->warps)),
            boost::on_tree_edge()))));
    for (std::size_t i = 0; i < stars; ++i)
        near[i] = distance[i] <= jumps;
    return near;
}

Route findRoute(const WarpMap& map, int from, int to, const std::vector<bool>& avoided)
{
    return RouteFinder(map).find(from, to, avoided);
}

namespace {

QString jumpsText(const WarpMap& map, const std::vector<RouteJump>& jumps)
{
    QStringList steps;
    for (const RouteJump& jump : jumps)
        steps << QStringLiteral("%1 → %2 by Warp Point # %3")
                     .arg(map.stars[jump.from].name, map.stars[jump.to].name)
                     .arg(jump.warpPointId);
    const QString count =
        jumps.size() == 1 ? QStringLiteral("1 jump") : QStringLiteral("%1 jumps").arg(jumps.size());
    return count + QStringLiteral(": ") + steps.join(QStringLiteral(", "));
}

// Why no known warp points lead there, after the names of the two stars.
QString whyNoRoute(const QString& destination, RouteOutcome outcome)
{
    switch (outcome) {
    case RouteOutcome::SeparateGroups:
        return QStringLiteral(": they lie in separate groups of stars");
    case RouteOutcome::CutByAvoided:
        return QStringLiteral(" without passing an avoided star");
    case RouteOutcome::DestinationAvoided:
        return QStringLiteral(": %1 is an avoided star").arg(destination);
    default:
        return QStringLiteral(": some warp points between them lead the other way only");
    }
}

} // namespace

QString routeText(const WarpMap& map, const Route& route)
{
    const auto onMap = [&map](int star) { return star >= 0 && star < map.stars.size(); };
    if (route.outcome == RouteOutcome::UnknownStar || !onMap(route.from) || !onMap(route.to))
        return QStringLiteral("No route: the map has no such star");
    const QString& from = map.stars[route.from].name;
    const QString& to = map.stars[route.to].name;
    switch (route.outcome) {
    case RouteOutcome::Found:
        return jumpsText(map, route.jumps);
    case RouteOutcome::AlreadyThere:
        return QStringLiteral("%1: already there").arg(from);
    default:
        return QStringLiteral("No known warp points lead from %1 to %2").arg(from, to) +
               whyNoRoute(to, route.outcome);
    }
}

} // namespace vf
