#pragma once

#include <QColor>
#include <QFont>
#include <QVariant>

namespace vf {

// How both order grids set off their columns: the priority in italics, the order code bold
// in green (RGB 65, 197, 27).
enum class OrderColumn { Priority, Code, Other };

inline QVariant orderGridStyle(OrderColumn column, int role, const QFont& base)
{
    if (role == Qt::FontRole && column != OrderColumn::Other) {
        QFont font = base;
        if (column == OrderColumn::Priority)
            font.setItalic(true);
        else
            font.setBold(true);
        return font;
    }
    if (role == Qt::ForegroundRole && column == OrderColumn::Code)
        return QColor(65, 197, 27);
    return {};
}

} // namespace vf
