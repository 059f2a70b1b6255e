#pragma once

#include <optional>

class QWidget;

namespace vf {

struct AppContext;

// Imports the current empire's turn results file after the player confirms. Returns true
// when the import finished, so the caller reloads its empire list.
bool runUpdateDataDialogue(AppContext& context, std::optional<int> empireId, QWidget* window);

} // namespace vf
