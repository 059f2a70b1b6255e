#pragma once

#include "Route.h"
#include "model/Order.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace vf {

class Store;
class TurnData;

// The MOVE orders of the first jumps of a route for one fleet, made on an order form in memory
// as the order entry window makes an order (the same pick-lists, the same checks, the same
// blanks), then stored after the empire's orders in one transaction: all or none.
struct RouteOrders {
    // Each jump's order, in the route's order.
    QList<std::array<QString, kSlotCount>> slots;
    // What the checks told, each once, with the jumps it concerns: "Jumps 1 and 3: …".
    QStringList told;
    // Why nothing can be stored (a jump the checks refuse, a star or warp point the turn data
    // does not hold); empty when all can be.
    QString refused;
};

RouteOrders makeRouteOrders(const TurnData& data, const WarpMap& map,
                            const std::vector<RouteJump>& jumps, int fleet);

// Stores the orders made; returns their priorities. A database failure throws vf::Error and
// stores none.
QList<int> storeRouteOrders(const Store& store, int empireId, const RouteOrders& orders);

} // namespace vf
