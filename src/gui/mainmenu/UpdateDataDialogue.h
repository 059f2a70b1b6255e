#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace vf {

struct AppContext;

// Imports the current empire's turn results file after the player confirms. A file dropped
// on the window, or chosen when the data folder lacks it, is imported from where it is and,
// once imported, copied in under the empire's name. Every imported file is kept in the
// archive. Returns true when the import
// finished, so the caller reloads its empire list.
bool runUpdateDataDialogue(AppContext& context, std::optional<int> empireId, QWidget* window,
                           const std::optional<QString>& droppedFile = std::nullopt);

} // namespace vf
