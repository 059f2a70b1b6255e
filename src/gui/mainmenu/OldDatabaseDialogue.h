#pragma once

#include <QString>

class QWidget;

namespace vf {

struct AppContext;

// Brings the old program's database over, with a progress dialog, and reports what came
// over. Returns true when something was brought over, so the caller reloads its list.
bool runOldDatabaseDialogue(AppContext& context, const QString& file, QWidget* window);

// At start: when the data folder holds the old program's database and no empire is
// registered yet, offers once to bring it over (not asked again after No).
bool offerOldDatabase(AppContext& context, QWidget* window);

// File, Import from the old turn entry database: the player chooses the file.
bool chooseOldDatabase(AppContext& context, QWidget* window);

} // namespace vf
