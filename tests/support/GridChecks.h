#pragma once

#include "common/GridColumns.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

namespace vf::test {

// The header of a column and every order code, in the given cell font, fit the column whole.
inline bool showsWhole(const QTableView& grid, int column, const QFont& codeFont, bool withCodes)
{
    const QString title =
        grid.model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const int width = grid.columnWidth(column);
    if (QFontMetrics(grid.horizontalHeader()->font()).horizontalAdvance(title) >= width) {
        qWarning("\"%s\" is cut in a column %d wide", qPrintable(title), width);
        return false;
    }
    for (const QString& code : withCodes ? everyOrderCode() : QStringList()) {
        if (QFontMetrics(codeFont).horizontalAdvance(code) >= width) {
            qWarning("\"%s\" is cut in a column %d wide", qPrintable(code), width);
            return false;
        }
    }
    return true;
}

// Sets the program's font to a multiple of its size for as long as it lives.
class ScaledFont {
public:
    explicit ScaledFont(double factor)
        : m_old(QApplication::font())
    {
        QFont font = m_old;
        font.setPointSizeF(m_old.pointSizeF() * factor);
        QApplication::setFont(font);
    }
    ~ScaledFont() { QApplication::setFont(m_old); }
    ScaledFont(const ScaledFont&) = delete;
    ScaledFont& operator=(const ScaledFont&) = delete;

private:
    QFont m_old;
};

} // namespace vf::test
