#pragma once

#include "orders/OrderCheck.h"

#include <functional>
#include <optional>

namespace vf {

struct AppContext;

// Writes the current empire's orders file after counting and confirming, and reports where.
// The orders are checked first: when some will fail to execute, the player is asked whether
// to review them (reviewOrders is handed the check's findings, nothing is written) or to save
// anyway. Once the file is written, a copy of the orders is kept in the archive for Earlier
// Orders; when it cannot be kept, the player is told so after the file's message.
void runSaveOrdersDialogue(AppContext& context, std::optional<int> empireId,
                           const std::function<void(const OrderCheckReport&)>& reviewOrders = {});

} // namespace vf
