#pragma once

#include <optional>

namespace vf {

struct AppContext;

// Writes the current empire's orders file after counting and confirming, and reports where.
void runSaveOrdersDialogue(AppContext& context, std::optional<int> empireId);

} // namespace vf
