#pragma once

#include "OrderCheck.h"

#include <QSet>

namespace vf {

// What an order is as a whole: its code, its priority and its slots (a slot of blanks counts
// as an empty one, as Save Orders' blank fill makes it). Any edit of the order changes it.
QString orderPrint(const Order& order);

// A finding the player set aside ("I know, leave it"): it stays aside while its order is as
// it was when it was set aside.
struct SetAsideKey {
    qint64 orderId = 0;
    int slot = 0;
    QString problem;
    QString orderPrint;

    friend bool operator==(const SetAsideKey&, const SetAsideKey&) = default;
};
size_t qHash(const SetAsideKey& key, size_t seed = 0);

SetAsideKey setAsideKeyOf(const OrderFinding& finding);

// Marks each finding with the print of its order, then moves those set aside from the report's
// findings to its set-aside ones, where they count nowhere.
void separateSetAside(OrderCheckReport& report, const QList<Order>& orders,
                      const QSet<SetAsideKey>& aside);

} // namespace vf
