#pragma once

#include <QList>

namespace vf {

struct AppContext;
class TurnTableModel;

// Asks where to save and writes the tables as shown (filtered, sorted) as one CSV file, whole
// or not at all; says how many rows went where, or why nothing was written.
void exportTables(AppContext& context, int empireId, const QList<TurnTableModel*>& tables);

} // namespace vf
