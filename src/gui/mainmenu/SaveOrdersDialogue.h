#pragma once

#include <functional>
#include <optional>

namespace vf {

struct AppContext;

// Writes the current empire's orders file after counting and confirming, and reports where.
// The orders are checked first: when some will fail to execute, the player is asked whether
// to review them (reviewOrders is called, nothing is written) or to save anyway.
void runSaveOrdersDialogue(AppContext& context, std::optional<int> empireId,
                           const std::function<void()>& reviewOrders = {});

} // namespace vf
