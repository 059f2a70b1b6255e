#pragma once

#include "orders/OrderCheck.h"

class QTableWidget;

namespace vf {

// A table of findings, one row each, a whole row selected at a time, nothing to edit.
void setUpFindingsTable(QTableWidget* table, const QString& name);
// Fills the table: priority, order, slot, finding, what is wrong, how to fix it.
void fillFindings(QTableWidget* table, const QList<OrderFinding>& findings);

} // namespace vf
