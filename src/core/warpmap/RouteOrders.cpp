#include "RouteOrders.h"

#include "orders/CachedTurnData.h"
#include "orders/ChosenCode.h"
#include "orders/MemoryOrderForm.h"
#include "orders/OrderStorer.h"
#include "orders/SlotFocusRules.h"
#include "orders/TurnData.h"
#include "store/OrderRepository.h"

#include <QMap>

#include <algorithm>

namespace vf {

namespace {

const QString kMove = QStringLiteral("MOVE");

// Picks the entry the test takes in the slot's list, as the player picking it would.
bool pickIn(MemoryOrderForm& form, int slot, const std::function<bool(const ChoiceEntry&)>& matches)
{
    const ChoiceList entries = form.choices(slot);
    const auto found = std::find_if(entries.begin(), entries.end(), matches);
    if (found == entries.end())
        return false;
    form.pick(slot, int(found - entries.begin()));
    return true;
}

QString jumpWords(const WarpMap& map, const RouteJump& jump)
{
    return QStringLiteral("%1 \u2192 %2").arg(map.stars[jump.from].name, map.stars[jump.to].name);
}

// "Jump 2", "Jumps 1 and 3", "Jumps 1, 2 and 4".
QString jumpsNamed(const QList<int>& jumps)
{
    QStringList numbers;
    for (const int jump : jumps)
        numbers << QString::number(jump);
    if (numbers.size() == 1)
        return QStringLiteral("Jump ") + numbers.front();
    const QString last = numbers.takeLast();
    return QStringLiteral("Jumps %1 and %2").arg(numbers.join(QStringLiteral(", ")), last);
}

} // namespace

RouteOrders makeRouteOrders(const TurnData& data, const WarpMap& map,
                            const std::vector<RouteJump>& jumps, int fleet)
{
    RouteOrders made;
    // Each list read once for all the jumps (the fleets and stars of a large empire are many).
    const CachedTurnData lists(data);
    QMap<QString, QList<int>> told; // each message, with the jumps that gave it
    QStringList toldInOrder;
    for (std::size_t i = 0; i < jumps.size(); ++i) {
        const RouteJump& jump = jumps[i];
        const int number = int(i) + 1;
        MemoryOrderForm form;
        form.chooseCode(kMove);
        applyChosenCode(form);
        SlotFocusRules rules(form, lists);
        const QString star = map.stars[jump.from].name;
        rules.onSlotFocus(1);
        const bool fleetPicked =
            pickIn(form, 1, [fleet](const ChoiceEntry& entry) { return entry.number == fleet; });
        rules.onSlotFocus(2);
        const bool starPicked = pickIn(form, 2, [&star](const ChoiceEntry& entry) {
            return entry.text.compare(star, Qt::CaseInsensitive) == 0;
        });
        rules.onSlotFocus(3);
        const bool warpPicked = pickIn(form, 3, [&jump](const ChoiceEntry& entry) {
            return entry.number == jump.warpPointId;
        });
        if (!fleetPicked || !starPicked || !warpPicked) {
            made.refused = QStringLiteral("Jump %1 (%2): the turn data holds no %3.")
                               .arg(number)
                               .arg(jumpWords(map, jump),
                                    !fleetPicked  ? QStringLiteral("Fleet # %1").arg(fleet)
                                    : !starPicked ? QStringLiteral("star named %1").arg(star)
                                                  : QStringLiteral("Warp Point # %1 at %2")
                                                        .arg(jump.warpPointId)
                                                        .arg(star));
            return made;
        }
        std::optional<std::array<QString, kSlotCount>> slots;
        QStringList toldNow;
        OrderStorer storer(
            form,
            [&slots](const QString&, const std::array<QString, kSlotCount>& made) { slots = made; },
            [&](const QString& message) {
                toldNow << message;
                if (!told.contains(message))
                    toldInOrder << message;
                told[message] << number;
            },
            [] {});
        if (!storer.storeOrder() || !slots) {
            made.refused = QStringLiteral("Jump %1 (%2) would not be stored as an order: %3")
                               .arg(number)
                               .arg(jumpWords(map, jump), toldNow.join(QLatin1Char(' ')));
            return made;
        }
        made.slots << *slots;
    }
    for (const QString& message : toldInOrder)
        made.told << jumpsNamed(told[message]) + QStringLiteral(": ") + message;
    return made;
}

QList<int> storeRouteOrders(const Store& store, int empireId, const RouteOrders& orders)
{
    QList<OrderRepository::NewOrder> all;
    for (const auto& slots : orders.slots)
        all.append({kMove, slots});
    return OrderRepository(store).appendAll(empireId, all);
}

} // namespace vf
