#pragma once

#include "common/Dialogs.h"

#include <QString>

#include <optional>

class QWidget;

namespace vf {

struct AppContext;

// Imports the current empire's turn results file after the player confirms. A file dropped
// on the window, or chosen when the data folder lacks it, is imported from where it is and,
// once imported, copied in under the empire's name. Every imported file is kept in the
// archive. The success box offers What Changed, and Check Orders when stored orders now name
// what the new turn data lacks. Returns the player's answer to it when the import finished
// (the caller reloads its empire list and opens what was asked for); nothing otherwise.
std::optional<DialogAnswer>
runUpdateDataDialogue(AppContext& context, std::optional<int> empireId, QWidget* window,
                      const std::optional<QString>& droppedFile = std::nullopt);

} // namespace vf
