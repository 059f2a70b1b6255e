#pragma once

#include "WidgetOrderForm.h"

class QObject;
class QTableView;
class QWidget;

namespace vf {

// Where the order entry window's controls stand, in twips of its designed size.
namespace orderentry {
inline constexpr int kDesignWidth = 14000;  // the widest placement reaches 13860 twips
inline constexpr int kCompactWidth = 11760; // the compact placement's last column ends there
inline constexpr int kDesignHeight = 10100; // the grid ends at 9975 twips
inline constexpr int kGridLeft = 120;
inline constexpr int kGridTop = 8160;
inline constexpr int kGridWidth = 13695;
inline constexpr int kGridHeight = 1815;
} // namespace orderentry

// The order entry window's body at its designed size: the code chooser, the description line,
// the line under the code box, the 51 entry boxes with their prompts, the message templates,
// the buttons and the grid of stored orders (without its model). The chooser, the description
// and the entry boxes send their events through keys; the window wires the rest.
struct OrderEntryBody {
    QWidget* body = nullptr;
    OrderFormWidgets widgets;
    QTableView* grid = nullptr;
};
OrderEntryBody buildOrderEntryBody(QObject* keys);

} // namespace vf
