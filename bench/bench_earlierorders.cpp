// Earlier Orders for an empire with 50 saved turns of 1,000 orders of 51 filled slots each.

#include "AppFixture.h"
#include "BenchSupport.h"
#include "earlier/EarlierOrdersWindow.h"
#include "ordersfile/OrdersArchive.h"

#include <QApplication>
#include <QTableWidget>
#include <QTest>

using namespace vf;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    test::AppFixture fixture;
    fixture.t.addEmpire(900, QStringLiteral("Vast Dominion"));

    std::array<QString, kSlotCount> slots;
    for (int k = 0; k < kSlotCount; ++k)
        slots[k] = QStringLiteral("Slot value %1").arg(k + 1);
    QList<Order> orders;
    for (int i = 0; i < 1000; ++i)
        orders << Order{0, 10 * (i + 1), QStringLiteral("BOMB"), slots};
    const OrdersArchive archive(fixture.t.path());
    const QDateTime first(QDate(2025, 1, 6), QTime(20, 15));
    for (int turn = 0; turn < 50; ++turn)
        archive.keep({900, first.addDays(7 * turn), {first.addDays(7 * turn - 1), {}}, 1000},
                     orders);

    std::unique_ptr<EarlierOrdersWindow> window;
    const auto opening = bench::measureOpening(7, window, [&] {
        return std::make_unique<EarlierOrdersWindow>(fixture.context, fixture.navigator, 900);
    });
    bench::report("open Earlier Orders on 50 saved turns of 1,000 orders", opening, 300);

    int row = 0;
    const auto choosing = bench::measure(7, [&] {
        row = (row + 1) % 50;
        window->turns().setCurrentCell(row, 0);
        QApplication::processEvents();
    });
    bench::report("choose a turn of 1,000 orders (read whole, shown)", choosing, 300);

    const auto checking = bench::measure(
        3,
        [&] {
            window = std::make_unique<EarlierOrdersWindow>(fixture.context, fixture.navigator, 900);
            while (!window->checkedWhole())
                QTest::qWait(5);
        },
        [&] { window.reset(); });
    bench::print("every copy read whole, off the window's thread (from opening)", checking);
    return 0;
}
