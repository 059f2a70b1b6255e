#pragma once

#include <optional>

namespace vf {

struct AppContext;

// Changes the chosen empire's password, as the player did in the game with a PASS order, so
// that the next orders file carries it. Returns true when it was changed.
bool runPasswordDialogue(AppContext& context, std::optional<int> empireId);

} // namespace vf
