#pragma once

#include "orders/OrderCheck.h"

#include <functional>

class QMenu;

namespace vf {

struct OrderStart;

// Fills a "New Order…" menu with the codes whose slots take that kind of record, each
// captioned as the code chooser describes it ("MOVE (Move to Warp Point)"); choosing one
// hands on the order to begin with the record (and its star, for a slot whose list depends on
// a star) picked.
void addNewOrderCodes(QMenu& menu, RecordKind kind, int number, const QString& star,
                      const std::function<void(const OrderStart&)>& start);

} // namespace vf
