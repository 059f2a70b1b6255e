#pragma once

#include "ShownTables.h"

#include <QByteArray>

namespace vf {

// A table as a spreadsheet reads it: comma-separated values in UTF-8 behind a byte order
// mark (Excel takes the file for its own code page without one), the headings first, a field
// quoted when it holds a comma, a quote or a line break (its quotes doubled), each line ended
// by CR LF.
QByteArray csvOf(const QList<ShownColumn>& columns, const std::vector<QStringList>& rows);

// Several tables in one file: each under a line with its title, a blank line between them.
struct TitledRows {
    QString title;
    QList<ShownColumn> columns;
    std::vector<QStringList> rows;
};
QByteArray csvOf(const QList<TitledRows>& tables);

} // namespace vf
