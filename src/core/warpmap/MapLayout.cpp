#include "MapLayout.h"

#include <QRectF>

#include <functional>

#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/connected_components.hpp>
#include <boost/graph/fruchterman_reingold.hpp>
#include <boost/graph/random_layout.hpp>
#include <boost/graph/topology.hpp>
#include <boost/random/linear_congruential.hpp>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace vf {

namespace {

using Graph = boost::adjacency_list<boost::vecS, boost::vecS, boost::undirectedS>;
using Topology = boost::rectangle_topology<boost::minstd_rand>;
using Point = Topology::point_type;

constexpr unsigned kSeed = 20261209;
constexpr int kIterations = 100;

struct Island {
    std::vector<int> stars;
    std::vector<std::pair<int, int>> links; // indices into stars
    QRectF bounds;
};

std::vector<Island> islandsOf(const WarpMap& map)
{
    Graph whole(std::size_t(map.stars.size()));
    for (const MapLink& link : map.links)
        boost::add_edge(std::size_t(link.from), std::size_t(link.to), whole);
    std::vector<int> component(std::size_t(map.stars.size()));
    const int count = boost::connected_components(whole, component.data());
    std::vector<Island> islands(static_cast<std::size_t>(count));
    std::vector<int> place(component.size());
    for (std::size_t star = 0; star < component.size(); ++star) {
        auto& island = islands[std::size_t(component[star])];
        place[star] = int(island.stars.size());
        island.stars.push_back(int(star));
    }
    for (const MapLink& link : map.links) {
        auto& island = islands[std::size_t(component[std::size_t(link.from)])];
        island.links.emplace_back(place[std::size_t(link.from)], place[std::size_t(link.to)]);
    }
    // The largest first; islands of one size keep the order of their first star's name.
    std::stable_sort(islands.begin(), islands.end(), [](const Island& a, const Island& b) {
        return a.stars.size() > b.stars.size();
    });
    return islands;
}

// Stops the placement (a temperature of 0) when the player no longer wants it.
class Cooling {
public:
    Cooling(const std::function<bool(int)>& goOn, double start, std::size_t stars)
        : m_goOn(goOn)
        , m_start(start)
        , m_stars(stars)
    {
    }
    double operator()()
    {
        if (m_step >= kIterations || !m_goOn(int(m_stars * std::size_t(m_step) / kIterations)))
            return 0;
        return m_start * double(kIterations - m_step++) / kIterations;
    }

private:
    const std::function<bool(int)>& m_goOn;
    double m_start;
    std::size_t m_stars;
    int m_step = 0;
};

// The pairs of stars that push each other apart: those near each other, found through a grid
// of cells about two stars' room wide, measured on where the stars are now. (Boost's own
// grid_force_pairs sizes its cells from the room's area instead of its side, so every star
// lands in one cell and each step weighs every pair; and a tangled island drawn together into
// a knot would crowd cells of a fixed size just the same.)
template <typename Places> class NearPairs {
public:
    explicit NearPairs(Places places)
        : m_places(places)
    {
    }

    template <typename G, typename ApplyForce>
    void operator()(const G& graph, ApplyForce apply) const
    {
        const std::size_t n = num_vertices(graph);
        // Measured on the middle nine tenths of the stars: a few thrown far out would make
        // every cell of the rest crowded.
        std::vector<double> xs(n);
        std::vector<double> ys(n);
        for (std::size_t v = 0; v < n; ++v) {
            xs[v] = get(m_places, v)[0];
            ys[v] = get(m_places, v)[1];
        }
        const auto middle = [n](std::vector<double>& values) {
            const std::size_t low = n / 20;
            const std::size_t high = n - 1 - n / 20;
            std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(low), values.end());
            const double from = values[low];
            std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(high), values.end());
            return std::pair(from, values[high]);
        };
        const auto [left, right] = middle(xs);
        const auto [top, bottom] = middle(ys);
        const QRectF spread(QPointF(left, top), QPointF(right, bottom));
        const double side = std::max({spread.width(), spread.height(), 1e-6});
        const double cell = std::max(2 * side / std::sqrt(double(n) * 0.9), 1e-6);
        const auto cells = std::min<std::size_t>(std::size_t(side / cell) + 1, 4096);
        std::vector<std::vector<std::size_t>> grid(cells * cells);
        const auto cellOf = [&](double at, double from) {
            return std::min(cells - 1, std::size_t(std::max(0.0, (at - from) / cell)));
        };
        for (std::size_t v = 0; v < n; ++v) {
            const auto at = get(m_places, v);
            grid[cellOf(at[1], spread.top()) * cells + cellOf(at[0], spread.left())].push_back(v);
        }
        for (std::size_t row = 0; row < cells; ++row) {
            for (std::size_t column = 0; column < cells; ++column)
                applyInCell(grid, cells, cell, row, column, apply);
        }
    }

private:
    template <typename ApplyForce>
    void applyInCell(const std::vector<std::vector<std::size_t>>& grid, std::size_t cells,
                     double cell, std::size_t row, std::size_t column, ApplyForce& apply) const
    {
        const auto& here = grid[row * cells + column];
        for (std::size_t i = 0; i < here.size(); ++i) {
            for (std::size_t j = i + 1; j < here.size(); ++j) {
                apply(here[i], here[j]);
                apply(here[j], here[i]);
            }
            const auto a = get(m_places, here[i]);
            for (std::size_t r = row == 0 ? 0 : row - 1; r <= std::min(row + 1, cells - 1); ++r) {
                for (std::size_t c = column == 0 ? 0 : column - 1;
                     c <= std::min(column + 1, cells - 1); ++c) {
                    if (r == row && c == column)
                        continue;
                    for (const std::size_t other : grid[r * cells + c]) {
                        const auto b = get(m_places, other);
                        if (std::hypot(a[0] - b[0], a[1] - b[1]) < cell)
                            apply(here[i], other);
                    }
                }
            }
        }
    }

    Places m_places;
};

// Stars joined by a warp point pull at each other as a spring does, in proportion to their
// distance: the usual pull (distance squared over k) draws a large, tangled island into a knot
// whose stars all push at each other.
struct SpringPull {
    template <typename Edge, typename G>
    double operator()(Edge, double, double distance, const G&) const
    {
        return distance;
    }
};

// Places one island's stars around (0, 0); false when stopped.
bool layOutIsland(WarpMap& map, Island& island, const std::function<bool(int)>& goOn)
{
    const std::size_t n = island.stars.size();
    std::vector<Point> points(n);
    if (n == 1) {
        points[0][0] = points[0][1] = 0;
    } else {
        Graph graph(n);
        for (const auto& [a, b] : island.links)
            boost::add_edge(std::size_t(a), std::size_t(b), graph);
        const double side = kStarSpacing * std::sqrt(double(n)) * 1.5;
        boost::minstd_rand random(kSeed);
        const Topology room(random, -side / 2, -side / 2, side / 2, side / 2);
        const auto places =
            boost::make_iterator_property_map(points.begin(), get(boost::vertex_index, graph));
        boost::random_graph_layout(graph, places, room);
        boost::fruchterman_reingold_force_directed_layout(
            graph, places, room,
            boost::cooling(Cooling(goOn, side / 8, n))
                .attractive_force(SpringPull())
                .force_pairs(NearPairs<decltype(places)>(places)));
        if (!goOn(int(n)))
            return false;
    }
    QList<QPointF> places;
    for (std::size_t i = 0; i < n; ++i) {
        places << QPointF(points[i][0], points[i][1]);
        map.stars[island.stars[i]].at = places.back();
    }
    island.bounds = boundsOf(places);
    return true;
}

// Rows of islands, each row about as wide as the map is tall.
void placeSideBySide(WarpMap& map, const std::vector<Island>& islands)
{
    double area = 0;
    for (const Island& island : islands)
        area += (island.bounds.width() + kStarSpacing) * (island.bounds.height() + kStarSpacing);
    const double rowWidth =
        std::max(std::sqrt(area) * 1.2, islands.empty() ? 0.0 : islands[0].bounds.width());
    double x = 0;
    double y = 0;
    double rowHeight = 0;
    for (const Island& island : islands) {
        const double width = island.bounds.width() + kStarSpacing;
        if (x > 0 && x + width > rowWidth) {
            x = 0;
            y += rowHeight;
            rowHeight = 0;
        }
        const QPointF shift = QPointF(x, y) - island.bounds.topLeft();
        for (const int star : island.stars)
            map.stars[star].at += shift;
        x += width;
        rowHeight = std::max(rowHeight, island.bounds.height() + kStarSpacing);
    }
}

} // namespace

bool layOutMap(WarpMap& map, const Progress& progress)
{
    std::vector<Island> islands = islandsOf(map);
    const int total = int(map.stars.size());
    int placed = 0;
    const std::function<bool(int)> goOn = [&](int within) {
        progress.tell(placed + within, total);
        return !progress.stopRequested();
    };
    for (Island& island : islands) {
        if (!layOutIsland(map, island, goOn))
            return false;
        placed += int(island.stars.size());
    }
    placeSideBySide(map, islands);
    return goOn(0);
}

} // namespace vf
