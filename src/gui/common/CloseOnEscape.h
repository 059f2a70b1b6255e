#pragma once

class QWidget;

namespace vf {

// Escape closes the window, as it closes a dialog: for the windows opened from a menu that
// are there to be read (Check Orders, the user's guide).
void closeOnEscape(QWidget* window);

} // namespace vf
