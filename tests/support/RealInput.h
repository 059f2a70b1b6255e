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

// In a test helper that returns bool: a failed check is recorded and the helper returns false,
// so that the caller's QVERIFY ends the test (a QVERIFY in a helper ends the helper only).
#define VF_CHECK(condition)                                                                        \
    do {                                                                                           \
        if (!QTest::qVerify(static_cast<bool>(condition), #condition, "", __FILE__, __LINE__))     \
            return false;                                                                          \
    } while (false)

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
// and the button is pressed on the entry, moved a little and let go. (The move matters: the
// list ignores a release that comes within a double-click's time of its opening unless the
// pointer has moved, and a wait for that time is at the mercy of the machine's load.) The box's
// window must be active. False, with the failure recorded, when the list did not open or close as
// it should.
[[nodiscard]] inline bool pickFromList(QComboBox* box, const QString& entry)
{
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    const QRect arrow =
        box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, arrow.center());
    QAbstractItemView* list = box->view();
    // The list is open once the window system has made it the active window.
    QWindowSystemInterface::flushWindowSystemEvents();
    if (!QTest::qWaitFor([list] { return list->isVisible() && list->window()->isActiveWindow(); }))
        return QTest::qVerify(false, "list->isVisible()", "the list did not open", __FILE__,
                              __LINE__);
    const QModelIndex item = list->model()->index(box->findText(entry), 0);
    if (!item.isValid())
        return QTest::qVerify(false, "item.isValid()", qPrintable(entry), __FILE__, __LINE__);
    list->scrollTo(item);
    const QPoint target = list->visualRect(item).center();
    QTest::mousePress(list->viewport(), Qt::LeftButton, Qt::NoModifier, target);
    QTest::mouseMove(list->viewport(), target + QPoint(1, 0));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, target);
    if (!QTest::qWaitFor([list] { return !list->isVisible(); }))
        return QTest::qVerify(false, "!list->isVisible()", "the list stayed open", __FILE__,
                              __LINE__);
    // The closed list hands the activation back to the box's window, through the window system.
    QWindowSystemInterface::flushWindowSystemEvents();
    if (!QTest::qWaitFor([box] { return box->window()->isActiveWindow(); }))
        return QTest::qVerify(false, "qWaitForWindowActive(box->window())", "", __FILE__, __LINE__);
    return QTest::qCompare(box->currentText(), entry, "box->currentText()", "entry", __FILE__,
                           __LINE__);
}

} // namespace vf::test
