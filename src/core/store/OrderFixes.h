#pragma once

#include "orders/OrderFix.h"

namespace vf {

class Store;

// One slot of one order rewritten: what it held and what it holds after.
struct SlotChange {
    qint64 orderId = 0;
    int slot = 0;
    QString before;
    QString after;

    SlotChange undone() const { return {orderId, slot, after, before}; }
};

// What Check Orders offers for the finding, from the empire's turn data as stored now and the
// names its records bore; nothing to pick when the order is gone.
FixOffer offerFix(const Store& store, int empireId, const OrderFinding& finding);

// The change a picked choice makes: over what the slot held when the fix was offered.
SlotChange changeFor(const FixOffer& offer, qint64 orderId, const FixChoice& picked);

// Stores the change: that one slot, where it still holds what it held before; false (and
// nothing stored) when the order was changed or deleted since.
bool storeChange(const Store& store, const SlotChange& change);

} // namespace vf
