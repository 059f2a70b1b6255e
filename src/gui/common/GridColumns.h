#pragma once

#include <QStringList>

class QFont;
class QTableView;

namespace vf {

// Widens a column past the design's width where its header, or any of the given texts in
// the font the column shows them in, would otherwise be cut.
void fitColumn(QTableView* view, int column, int designWidth, const QStringList& texts,
               const QFont& textFont);

// Every order code an order grid may show, typed-only codes included.
QStringList everyOrderCode();

} // namespace vf
