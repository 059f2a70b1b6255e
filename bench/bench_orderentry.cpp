// The order entry window on a very large empire (900.mdb: 3,000 fleets, 4,000 items,
// 15,000 warp points, 20,000 orbital locations): focus events that build choice lists,
// opening the window with 1,000 stored orders, and storing a full BOMB order.

#include "AppFixture.h"
#include "BenchSupport.h"
#include "common/AppContext.h"
#include "orderentry/OrderEntryWindow.h"
#include "orderentry/OrdersGridModel.h"
#include "orderentry/WidgetOrderForm.h"
#include "orders/ChosenCode.h"
#include "orders/OrderStorer.h"
#include "orders/SlotFocusRules.h"
#include "store/OrderRepository.h"
#include "store/TurnDataRepository.h"

#include <QApplication>
#include <QSqlQuery>

using namespace vf;

namespace {

void choose(OrderForm& form, const QString& code)
{
    form.setCode(code);
    form.setCodeChanged(true);
    applyChosenCode(form);
}

QString busiestStar(Store& store)
{
    QSqlQuery q =
        store.run(QStringLiteral("SELECT StarName FROM \"Warp Points\" WHERE EmpireID = 900 "
                                 "GROUP BY StarName ORDER BY count(*) DESC LIMIT 1"));
    return q.next() ? q.value(0).toString() : QString();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    test::AppFixture fixture;
    test::TestStore& store = fixture.t;
    AppContext& context = fixture.context;
    store.addEmpire(900, QStringLiteral("Vast Dominion"));
    store.importFixture(QStringLiteral("900.mdb"), 900);

    const OrderRepository orders(store.store());
    for (int i = 0; i < 1000; ++i)
        orders.append(900, QStringLiteral("NM"), test::TestStore::slots());

    std::unique_ptr<OrderEntryWindow> window;
    const auto opening = bench::measureOpening(7, window, [&] {
        return std::make_unique<OrderEntryWindow>(context, fixture.navigator, 900);
    });
    bench::report("open the order entry window with 1,000 stored orders", opening, 200);

    WidgetOrderForm& form = window->form();
    const TurnDataRepository data(store.store(), 900);
    SlotFocusRules rules(form, data);
    choose(form, QStringLiteral("OC"));
    bench::report("focus on OC slot 1 (fleets, 24 item lists, 24 EXCLUDE lists)",
                  bench::measure(15, [&] { rules.onSlotFocus(1); }), 50);

    choose(form, QStringLiteral("MOVE"));
    const QString star = busiestStar(store.store());
    form.setSlotText(2, star);
    bench::report("focus on MOVE slot 3 (warp points of one star)",
                  bench::measure(
                      15, [&] { rules.onSlotFocus(3); }, [&] { form.setSlotText(2, star); }),
                  10);
    bench::report("focus on MOVE slot 2 (5,000 star names)",
                  bench::measure(15, [&] { rules.onSlotFocus(2); }), 10);
    choose(form, QStringLiteral("NM"));
    bench::report("focus on NM slot 3 (orbital locations of one star)",
                  bench::measure(
                      15, [&] { rules.onSlotFocus(3); }, [&] { form.setSlotText(2, star); }),
                  10);
    choose(form, QStringLiteral("ANZ"));
    bench::report("focus on ANZ slot 1 (4,000 items + 1,500 researchable items)",
                  bench::measure(15, [&] { rules.onSlotFocus(1); }), 10);
    choose(form, QStringLiteral("NM"));
    bench::report("focus on NM slot 1 (3,000 fleets)",
                  bench::measure(15, [&] { rules.onSlotFocus(1); }), 10);

    OrderStorer storer(
        form,
        [&orders](const QString& code, const std::array<QString, kSlotCount>& slots) {
            orders.append(900, code, slots);
        },
        [](const QString&) {}, [&] { window->grid().refresh(); });
    const auto storing = bench::measure(
        15, [&] { storer.storeOrder(); },
        [&] {
            choose(form, QStringLiteral("BOMB"));
            form.setSlotText(1, QStringLiteral("12"));
            form.setSlotText(2, QStringLiteral("ALL"));
            for (int slot = 3; slot <= 50; slot += 2) {
                form.setSlotText(slot, QStringLiteral("Item %1").arg(slot));
                form.setSlotText(slot + 1, QString::number(slot * 10));
            }
        });
    bench::report("store a BOMB order with 48 filled slots (1,000 stored), grid included", storing,
                  10);
    bench::print("  of which the append (one transaction)", bench::measure(15, [&] {
                     orders.append(900, QStringLiteral("BOMB"),
                                   test::TestStore::slots({QStringLiteral("12")}));
                 }));
    bench::print("  of which the grid refresh",
                 bench::measure(15, [&] { window->grid().refresh(); }));
    return 0;
}
