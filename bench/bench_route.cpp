// Routes between random pairs of stars of the large files: 900.mdb's 5,000 stars and big.mdb's
// 50,000, with the finder built once per map.

#include "BenchSupport.h"
#include "TestStore.h"
#include "turnimport/TurnImporter.h"
#include "warpmap/Route.h"
#include "warpmap/WarpMap.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <map>
#include <random>

using namespace vf;

namespace {

constexpr int kPairs = 400;
constexpr unsigned kSeed = 20261207;

struct Pair {
    int from;
    int to;
};

std::vector<Pair> randomPairs(const WarpMap& map, std::mt19937& random)
{
    std::uniform_int_distribution<int> star(0, int(map.stars.size()) - 1);
    std::vector<Pair> pairs(kPairs);
    for (Pair& pair : pairs)
        pair = {star(random), star(random)};
    return pairs;
}

// One star in a hundred avoided.
std::vector<bool> randomAvoided(const WarpMap& map, std::mt19937& random)
{
    std::bernoulli_distribution avoided(0.01);
    std::vector<bool> stars(std::size_t(map.stars.size()));
    for (std::size_t star = 0; star < stars.size(); ++star)
        stars[star] = avoided(random);
    return stars;
}

bench::Timing timingOf(QList<double> ms)
{
    if (ms.isEmpty())
        return {};
    std::sort(ms.begin(), ms.end());
    return {ms.at(ms.size() / 2), ms.last()};
}

const char* outcomeName(RouteOutcome outcome)
{
    switch (outcome) {
    case RouteOutcome::Found:
        return "found";
    case RouteOutcome::AlreadyThere:
        return "already there";
    case RouteOutcome::SeparateGroups:
        return "separate groups";
    case RouteOutcome::OneWayOnly:
        return "one way only";
    case RouteOutcome::CutByAvoided:
        return "cut by avoided stars";
    case RouteOutcome::DestinationAvoided:
        return "destination avoided";
    case RouteOutcome::UnknownStar:
        return "unknown star";
    }
    return "?";
}

// Times a search of every pair; prints what they found, the median of all and of those found.
void routePairs(const char* what, const RouteFinder& finder, const std::vector<Pair>& pairs,
                const std::vector<bool>& avoided, double targetMs)
{
    QList<double> all;
    QList<double> found;
    std::map<RouteOutcome, int> outcomes;
    std::size_t jumps = 0;
    for (const Pair& pair : pairs) {
        QElapsedTimer timer;
        timer.start();
        const Route route = finder.find(pair.from, pair.to, avoided);
        const double ms = timer.nsecsElapsed() / 1e6;
        all << ms;
        ++outcomes[route.outcome];
        if (route.outcome == RouteOutcome::Found) {
            found << ms;
            jumps = std::max(jumps, route.jumps.size());
        }
    }
    std::printf("  %zu pairs:", pairs.size());
    for (const auto& [outcome, count] : outcomes)
        std::printf(" %d %s;", count, outcomeName(outcome));
    std::printf(" the longest route %zu jumps\n", jumps);
    bench::report(what, timingOf(all), targetMs);
    bench::print("    of those, the routes found", timingOf(found));
}

void measureRoutes(const char* file, const WarpMap& map, double targetMs)
{
    std::printf("%s: %lld stars, %zu explored warp points\n", file,
                static_cast<long long>(map.stars.size()), map.warpPoints.size());
    bench::print("  the route finder built", bench::measure(5, [&] { RouteFinder built(map); }));
    const RouteFinder finder(map);
    std::mt19937 random(kSeed);
    const std::vector<Pair> pairs = randomPairs(map, random);
    routePairs("  a route between two random stars", finder, pairs, {}, targetMs);
    routePairs("  the same, one star in a hundred avoided", finder, pairs,
               randomAvoided(map, random), targetMs);
    std::size_t next = 0;
    bench::print("  one route with a finder of its own (findRoute)", bench::measure(9, [&] {
                     const Pair& pair = pairs[next++ % pairs.size()];
                     findRoute(map, pair.from, pair.to);
                 }));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    test::TestStore t;
    t.addEmpire(900, QStringLiteral("Vast Dominion"));
    t.importFixture(QStringLiteral("900.mdb"), 900);
    measureRoutes("900.mdb", readWarpMap(t.store(), 900), 5);
    const QString big = QStringLiteral(VFTURN_BIG_TURN_FILE);
    if (!QFileInfo::exists(big)) {
        std::printf("%s is not there: big.mdb not measured\n", qPrintable(big));
        return 0;
    }
    TurnImporter(t.store(), test::TestStore::readerPath()).importFile(900, big);
    measureRoutes("big.mdb", readWarpMap(t.store(), 900), 50);
    return 0;
}
