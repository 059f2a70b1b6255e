#pragma once

#include "store/RememberedState.h"

#include <QObject>
#include <QString>

class QWidget;

namespace vf {

class ScreenMetrics;

// Puts a window where the player left it in an earlier run (within the screen as it is now),
// and remembers where the player moves or resizes it, when it is hidden. A window hidden and
// shown again comes back where it was (a window manager would otherwise place it anew).
class WindowMemory : public QObject {
    Q_OBJECT
public:
    WindowMemory(QWidget* window, RememberedState state, const ScreenMetrics& screen);

    // True once the window manager has had its time to place the shown window.
    bool placed() const { return m_placed; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void restore(const ScreenMetrics& screen);
    void keepPlace();

    QWidget* m_window;
    RememberedState m_state;
    QByteArray m_hiddenAt;
    bool m_placed = false;
    bool m_moved = false;
};

} // namespace vf
