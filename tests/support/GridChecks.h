#pragma once

#include "RulesTable.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>

namespace vf::test {

// Every order code a grid may show: the 82 codes of the rules and RTL, which is typed only.
inline QStringList everyCodeOfTheRules()
{
    QStringList codes{QStringLiteral("RTL")};
    for (const QStringList& row : readRulesTable(QStringLiteral("catalogue.tsv")))
        codes << row.first();
    return codes;
}

// The header of a column and every order code, in the given cell font, fit the column whole:
// the room is what the style leaves a cell's text, as it draws it.
inline bool showsWhole(const QTableView& grid, int column, const QFont& codeFont, bool withCodes)
{
    const QString title =
        grid.model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const int width = grid.columnWidth(column);
    if (QFontMetrics(grid.horizontalHeader()->font()).horizontalAdvance(title) >= width) {
        qWarning("\"%s\" is cut in a column %d wide", qPrintable(title), width);
        return false;
    }
    QStyleOptionViewItem cell;
    cell.initFrom(&grid);
    cell.font = codeFont;
    cell.features = QStyleOptionViewItem::HasDisplay;
    cell.rect = QRect(0, 0, width - grid.showGrid(), grid.verticalHeader()->defaultSectionSize());
    for (const QString& code : withCodes ? everyCodeOfTheRules() : QStringList()) {
        cell.text = code;
        const QRect room = grid.style()->subElementRect(QStyle::SE_ItemViewItemText, &cell, &grid);
        if (QFontMetrics(codeFont).horizontalAdvance(code) > room.width()) {
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
