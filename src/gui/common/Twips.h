#pragma once

#include <QRect>
#include <QWidget>

namespace vf {

// Design positions are in twips; at 96 dpi 15 twips make a pixel. Qt scales pixels on
// high-dpi screens.
constexpr int twips(int value)
{
    return (value + 7) / 15;
}

inline void placeTwips(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

} // namespace vf
