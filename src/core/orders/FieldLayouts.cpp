#include "FieldLayouts.h"

namespace vf::layouts {

namespace {

constexpr int kWideColumnLeft = 360;
constexpr int kWideColumnStep = 2280;
constexpr int kCompactColumnLeft = 60;
constexpr int kCompactColumnStep = 1980;
constexpr int kWideWidth = 2100;
constexpr int kCompactWidth = 1800;

} // namespace

BoxPlacement placeBox(int layout, int index, bool compact)
{
    BoxPlacement box;
    box.width = compact ? kCompactWidth : kWideWidth;
    if (index < layout) {
        const bool compactHeader = compact && layout == 4;
        box.left = compactHeader ? 3280 + 2080 * index : 3480 + kWideColumnStep * index;
        box.entryTop = 1080;
        box.promptTop = 840;
        return box;
    }
    const int position = index - layout;
    const int column = position % 6;
    const int row = position / 6;
    box.left = compact ? kCompactColumnLeft + kCompactColumnStep * column
                       : kWideColumnLeft + kWideColumnStep * column;
    box.entryTop = 1920 + 720 * row;
    box.promptTop = 1680 + 720 * row;
    return box;
}

bool compactPlacement(int screenWidth)
{
    return screenWidth < 1000;
}

int windowWidth(int screenWidth)
{
    return screenWidth > 800 ? 14800 : 9000;
}

ButtonLefts buttonLefts(bool compact)
{
    return compact ? ButtonLefts{4920, 7200, 9480} : ButtonLefts{7200, 9480, 11760};
}

} // namespace vf::layouts
