#pragma once

#include <QStringList>

class QTableView;

namespace vf {

// Widens the priority and code columns of an order grid past their design widths where the
// header, or an order code in the bold font the grid shows codes in, would otherwise be cut.
void fitOrderGridColumns(QTableView* view, int priorityColumn, int priorityWidth, int codeColumn,
                         int codeWidth);

// Every order code an order grid may show, typed-only codes included.
QStringList everyOrderCode();

} // namespace vf
