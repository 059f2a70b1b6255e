#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QMimeData>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
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

// Picks an entry of a combo box as a player does: a click on the box's arrow opens its list,
// a click on the entry picks it. The box's window must be active.
inline void pickFromList(QComboBox* box, const QString& entry)
{
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    const QRect arrow =
        box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, arrow.center());
    QAbstractItemView* list = box->view();
    QTRY_VERIFY(list->isVisible());
    const QModelIndex item = list->model()->index(box->findText(entry), 0);
    QVERIFY2(item.isValid(), qPrintable(entry));
    list->scrollTo(item);
    // The list ignores a release that comes within a double-click's time of opening.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualRect(item).center());
    QTRY_VERIFY(!list->isVisible());
}

} // namespace vf::test
