#include "WindowMemory.h"

#include "ScreenMetrics.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace vf {

WindowMemory::WindowMemory(QWidget* window, RememberedState state, const ScreenMetrics& screen)
    : QObject(window)
    , m_window(window)
    , m_state(state)
{
    restore(screen);
    window->installEventFilter(this);
}

void WindowMemory::restore(const ScreenMetrics& screen)
{
    const QByteArray geometry = m_state.windowGeometry(m_window->objectName());
    if (geometry.isEmpty() || !m_window->restoreGeometry(geometry))
        return;
    // The screen may be smaller now than when the window was put there.
    const QSize room = fittedToScreen(m_window->size(), screen);
    m_window->resize(room);
    const QSize screenRoom = screen.availableSize();
    m_window->move(qBound(0, m_window->x(), qMax(0, screenRoom.width() - room.width())),
                   qBound(0, m_window->y(), qMax(0, screenRoom.height() - room.height())));
}

void WindowMemory::keepPlace()
{
    m_window->restoreGeometry(m_hiddenAt);
    // Even where the place is unchanged: the window system is told that the program chose it,
    // so that a window manager does not place the window anew (beside the window just left).
    if (QWindow* handle = m_window->windowHandle())
        handle->setGeometry(handle->geometry());
}

bool WindowMemory::eventFilter(QObject* watched, QEvent* event)
{
    // The window manager places a window when it is shown; later moves and resizes the
    // window system reports are the player's doing.
    constexpr int kPlacingMs = 500;
    if (event->type() == QEvent::Show) {
        if (!m_hiddenAt.isEmpty())
            keepPlace();
        m_placed = false;
        QTimer::singleShot(kPlacingMs, this, [this] { m_placed = true; });
    }
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
        event->spontaneous() && m_placed && m_window->isVisible())
        m_moved = true;
    if (event->type() == QEvent::Hide) {
        // Hidden by the program, not minimized by the player.
        if (!event->spontaneous())
            m_hiddenAt = m_window->saveGeometry();
        if (m_moved)
            m_state.setWindowGeometry(m_window->objectName(), m_window->saveGeometry());
        m_moved = false;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vf
