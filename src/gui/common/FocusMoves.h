#pragma once

#include <QObject>

class QWidget;

namespace vf {

// Gives the focus to the next (or the previous) control of the window that takes it by Tab,
// passing over hidden and disabled ones; false when there is none.
bool moveFocusOn(QWidget* from, bool forward);

// A grid keeps Tab and Shift+Tab for its cells: Ctrl+Tab and Ctrl+Shift+Tab take the focus to
// the control after or before it, as in other programs with grids. Installed on the grid,
// owned by it.
class GridFocusExit : public QObject {
public:
    explicit GridFocusExit(QWidget* grid);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace vf
