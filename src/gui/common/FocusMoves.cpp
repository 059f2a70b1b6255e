#include "FocusMoves.h"

#include <QKeyEvent>
#include <QWidget>

namespace vf {

namespace {

bool takesTabFocus(const QWidget* widget, const QWidget* window)
{
    return widget->window() == window && widget->isVisible() && widget->isEnabled() &&
           (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy();
}

} // namespace

bool moveFocusOn(QWidget* from, bool forward)
{
    const QWidget* window = from->window();
    for (QWidget* next = forward ? from->nextInFocusChain() : from->previousInFocusChain();
         next && next != from;
         next = forward ? next->nextInFocusChain() : next->previousInFocusChain()) {
        if (takesTabFocus(next, window)) {
            next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

GridFocusExit::GridFocusExit(QWidget* grid)
    : QObject(grid)
{
    grid->installEventFilter(this);
}

bool GridFocusExit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!(key->modifiers() & Qt::ControlModifier) ||
        (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab))
        return QObject::eventFilter(watched, event);
    const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
    return moveFocusOn(static_cast<QWidget*>(watched), forward);
}

} // namespace vf
