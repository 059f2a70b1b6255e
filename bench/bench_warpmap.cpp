// The warp map over the large files: reading and laying out 900.mdb's 5,000 stars and
// big.mdb's 50,000.

#include "BenchSupport.h"
#include "TestStore.h"
#include "turnimport/TurnImporter.h"
#include "warpmap/MapLayout.h"

#include <QElapsedTimer>
#include <QFileInfo>

using namespace vf;

namespace {

void layOut(const char* what, test::TestStore& t, int empireId, double targetMs)
{
    WarpMap map;
    bench::print("  reading the stars and warp points",
                 bench::measure(3, [&] { map = readWarpMap(t.store(), empireId); }));
    std::printf("  %lld stars, %zu links, %zu unexplored\n",
                static_cast<long long>(map.stars.size()), map.links.size(), map.stubs.size());
    bench::report(what, bench::measure(1, [&] { layOutMap(map); }), targetMs);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    test::TestStore t;
    t.addEmpire(900, QStringLiteral("Vast Dominion"));
    t.importFixture(QStringLiteral("900.mdb"), 900);
    layOut("Warp map of 900.mdb laid out", t, 900, 2000);
    const QString big = QStringLiteral(VFTURN_BIG_TURN_FILE);
    if (!QFileInfo::exists(big)) {
        std::printf("%s is not there: big.mdb not measured\n", qPrintable(big));
        return 0;
    }
    TurnImporter(t.store(), test::TestStore::workerPath()).importFile(900, big);
    layOut("Warp map of big.mdb laid out (off the window's thread)", t, 900, 60000);
    return 0;
}
