// Check Orders over 1,000 orders of the large empire of 900.mdb: every kind of order the
// turn data's pick-lists take part in, with valid and stale identifiers.

#include "BenchSupport.h"
#include "TestStore.h"
#include "store/EmpireOrderCheck.h"
#include "store/OrderFixes.h"
#include "store/OrderRepository.h"
#include "store/RecordNames.h"
#include "store/SetAsideFindings.h"
#include "store/TurnDataRepository.h"

#include <QCoreApplication>

using namespace vf;

namespace {

// Ten orders that name fleets, warp points, population groups, items and armies of
// empire 900; one in ten of the orders names a fleet that is no longer there.
QList<std::pair<QString, QStringList>> tenOrders(int n)
{
    const QString fleet = QString::number(n % 10 == 0 ? 5000 + n : 1 + n % 3000);
    const QString group = QString::number(1 + n % 2000);
    const QString item = QStringLiteral("Ixtronic Item 0");
    return {
        {QStringLiteral("NM"), {fleet, QStringLiteral("Arar 1"), QStringLiteral("3")}},
        {QStringLiteral("MOVE"), {fleet, QStringLiteral("Arar 1"), QStringLiteral("2")}},
        {QStringLiteral("BOMB"),
         {fleet, group, item, QStringLiteral("5"), QStringLiteral("Cortronic Item 1"),
          QStringLiteral("2")}},
        {QStringLiteral("TR"), {group, QString::number(2 + n % 1999), item, QStringLiteral("9")}},
        {QStringLiteral("BI"),
         {QStringLiteral("4"), item, group, QStringLiteral("1"), QStringLiteral("No")}},
        {QStringLiteral("RA"),
         {QString::number(100 + n % 500), QString::number(101 + n % 499), QStringLiteral("ALL")}},
        {QStringLiteral("DECF"), {fleet}},
        {QStringLiteral("LC"), {group, fleet, item, QStringLiteral("ALL")}},
        {QStringLiteral("MESS"), {QStringLiteral("77"), QStringLiteral("Greetings")}},
        {QStringLiteral("TREE"), {}},
    };
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    test::TestStore store;
    store.addEmpire(900, QStringLiteral("Vast Dominion"));
    store.importFixture(QStringLiteral("900.mdb"), 900);
    const OrderRepository orders(store.store());
    for (int n = 0; n < 100; ++n) {
        for (const auto& [code, slots] : tenOrders(n))
            orders.append(900, code, test::TestStore::slots(slots));
    }
    OrderCheckReport report;
    const auto checking =
        bench::measure(9, [&] { report = checkEmpireOrders(store.store(), 900); });
    std::printf("%d orders, %d failing, %lld findings\n", report.orders, report.failingOrders(),
                static_cast<long long>(report.findings.size()));
    bench::report("Check Orders, 1,000 orders of empire 900", checking, 50);
    // The player sets a hundred findings aside: they are matched to their orders on each check.
    const SetAsideFindings aside(store.store());
    for (const OrderFinding& finding : report.findings.mid(0, 100))
        aside.setAside(finding);
    const auto withAside =
        bench::measure(9, [&] { report = checkEmpireOrders(store.store(), 900); });
    std::printf("%lld findings set aside\n", static_cast<long long>(report.setAside.size()));
    bench::report("Check Orders, 1,000 orders with 100 set aside", withAside, 50);
    // A fix of a fleet that is gone: offered, then stored and the list checked again (undone
    // and redone in turn, so each run finds the same orders).
    const OrderFinding stale =
        *std::find_if(report.findings.begin(), report.findings.end(), [](const OrderFinding& f) {
            return f.code == QLatin1String("MOVE") && f.slot == 1;
        });
    FixOffer offer;
    const auto offering = bench::measure(9, [&] { offer = offerFix(store.store(), 900, stale); });
    bench::print("Fix offered for a fleet gone (3,000 fleets to choose from)", offering);
    SlotChange change = changeFor(offer, stale.orderId, offer.choices.first());
    const auto fixing = bench::measure(9, [&] {
        storeChange(store.store(), change);
        report = checkEmpireOrders(store.store(), 900);
        change = change.undone();
    });
    bench::report("A fix stored and the 1,000 orders checked again", fixing, 50);
    // What an import adds first: the names of the records the 1,000 orders name, kept.
    const auto keeping =
        bench::measure(9, [&] { RecordNames(store.store()).keepNamedByOrders(900); });
    bench::print("Names of the records 1,000 orders name, kept before an import", keeping);
    const auto reading = bench::measure(9, [&] { orders.ordersOf(900); });
    bench::report("  of which: reading the 1,000 orders", reading, 50);
    const TurnDataRepository turnData(store.store(), 900);
    const auto lists = bench::measure(9, [&] {
        turnData.fleets();
        turnData.items();
        turnData.populationGroups();
        turnData.armies();
        turnData.warpPointsOf(QStringLiteral("Arar 1"));
    });
    bench::report("  of which: reading the pick-lists they use", lists, 50);
    return 0;
}
