#pragma once

class QLineEdit;
class QWidget;

namespace vf {

// Ctrl+F (the system's Find key) in the window puts the focus in the box, its text selected.
void focusOnFindKey(QWidget* window, QLineEdit* box);

} // namespace vf
