#pragma once

#include <QCoreApplication>
#include <QMimeData>
#include <QWidget>
#include <QWindow>
#include <qpa/qplatformdrag.h>
#include <qpa/qwindowsysteminterface.h>

namespace vf::test {

// Input delivered the way the window system delivers it: Qt treats it as spontaneous and
// routes it to the widget under the pointer, with every focus change that causes. (An event
// sent straight to a widget is synthetic and skips those.)

inline QPoint centreInWindow(QWidget* widget)
{
    return widget->mapTo(widget->window(), widget->rect().center());
}

// One notch of the mouse wheel over the middle of the widget (120 up, -120 down).
inline void wheelOver(QWidget* widget, int notch)
{
    QWidget* window = widget->window();
    const QPoint local = centreInWindow(widget);
    QWindowSystemInterface::handleWheelEvent(window->windowHandle(), QPointF(local),
                                             QPointF(window->mapToGlobal(local)), QPoint(),
                                             QPoint(0, notch));
    QWindowSystemInterface::flushWindowSystemEvents();
}

// Drags the data over the middle of the widget and drops it there; returns the action the
// window took (Qt::IgnoreAction when nothing under the pointer took it).
inline Qt::DropAction dropOn(QWidget* widget, QMimeData* data)
{
    QWindow* window = widget->window()->windowHandle();
    const QPoint local = centreInWindow(widget);
    QWindowSystemInterface::handleDrag(window, data, local, Qt::CopyAction, Qt::LeftButton,
                                       Qt::NoModifier);
    const QPlatformDropQtResponse response = QWindowSystemInterface::handleDrop(
        window, data, local, Qt::CopyAction, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::processEvents();
    return response.isAccepted() ? response.acceptedAction() : Qt::IgnoreAction;
}

} // namespace vf::test
