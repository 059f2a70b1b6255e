// Save Orders and the listing editor for an empire with 1,000 orders of 51 filled slots.

#include "AppFixture.h"
#include "BenchSupport.h"
#include "common/AppContext.h"
#include "listing/OrderListingWindow.h"
#include "mainmenu/SaveOrdersDialogue.h"
#include "store/OrderRepository.h"

#include <QApplication>

using namespace vf;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    test::AppFixture fixture;
    test::TestStore& store = fixture.t;
    AppContext& context = fixture.context;
    store.addEmpire(900, QStringLiteral("Vast Dominion"));

    std::array<QString, kSlotCount> slots;
    for (int k = 0; k < kSlotCount; ++k)
        slots[k] = QStringLiteral("Slot value %1").arg(k + 1);
    const OrderRepository orders(store.store());
    for (int i = 0; i < 1000; ++i)
        orders.append(900, QStringLiteral("BOMB"), slots);

    const auto saving = bench::measure(
        9, [&] { runSaveOrdersDialogue(context, 900); },
        [&] {
            fixture.dialogs.answerOk(2);
            // Each run has zero-length slots to blank-fill, as after edits in the listing editor.
            store.store().run(QStringLiteral("UPDATE Orders SET i7 = '', i30 = ''"));
        });
    bench::report("Save Orders, 1,000 orders of 51 slots (blank-fill and file)", saving, 150);

    std::unique_ptr<OrderListingWindow> listing;
    const auto opening = bench::measureOpening(7, listing, [&] {
        return std::make_unique<OrderListingWindow>(context, fixture.navigator, 900);
    });
    bench::report("open the listing editor on 1,000 orders", opening, 300);
    return 0;
}
