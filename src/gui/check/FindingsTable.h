#pragma once

#include "orders/OrderCheck.h"

#include <optional>

class QTableWidget;

namespace vf {

// A table of findings, one row each, a whole row selected at a time, nothing to edit.
void setUpFindingsTable(QTableWidget* table, const QString& name);
// Fills the table: priority, order, slot, finding, what is wrong, how to fix it. The row that
// was current stays current (after one is taken out, the one that took its place).
void fillFindings(QTableWidget* table, const QList<OrderFinding>& findings);
// The finding on the table's current row, of those it was filled with; none when no row is.
std::optional<OrderFinding> currentFinding(const QTableWidget* table,
                                           const QList<OrderFinding>& findings);

} // namespace vf
