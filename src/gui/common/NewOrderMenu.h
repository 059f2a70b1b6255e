#pragma once

#include "orders/OrderCheck.h"

#include <functional>

class QMenu;

namespace vf {

struct OrderStart;

// Letters typed on the open menu mark the first entry that begins with them ("m" MOVE).
void addTypeAhead(QMenu& menu);

// Fills a "New Order…" menu with the codes whose slots take that kind of record, each
// captioned as the code chooser describes it ("MOVE (Move to Warp Point)"); choosing one
// hands on the order to begin with the record (and its star, for a slot whose list depends on
// a star) picked. The menu takes type-ahead.
void addNewOrderCodes(QMenu& menu, RecordKind kind, int number, const QString& star,
                      const std::function<void(const OrderStart&)>& start);

} // namespace vf
