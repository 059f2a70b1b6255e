#pragma once

#include "Dialogs.h"

#include "Error.h"

namespace vf {

// Runs one user action; a failure of the database or a file is shown in a message box and
// the program goes on.
template <typename Action> void guarded(Dialogs& dialogs, Action&& action)
{
    try {
        action();
    } catch (const Error& error) {
        dialogs.inform(QString(), error.message(), DialogIcon::Warning);
    }
}

} // namespace vf
