#include "ProgramKeys.h"

#include "Navigator.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QShortcut>
#include <QWidget>

namespace vf {

QKeySequence keyOf(ProgramKey key)
{
    switch (key) {
    case ProgramKey::TurnData:
        return QKeySequence(Qt::CTRL | Qt::Key_T);
    case ProgramKey::WarpMap:
        return QKeySequence(Qt::CTRL | Qt::Key_M);
    case ProgramKey::WhatChanged:
        return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T);
    case ProgramKey::UserGuide:
        return QKeySequence(QKeySequence::HelpContents);
    case ProgramKey::Exit:
        break;
    }
    // Ctrl+Q on every system (Windows has no standard key to quit).
    return QKeySequence(Qt::CTRL | Qt::Key_Q);
}

QString nameOf(ProgramKey key)
{
    switch (key) {
    case ProgramKey::TurnData:
        return QStringLiteral("Turn Data");
    case ProgramKey::WarpMap:
        return QStringLiteral("Warp Map");
    case ProgramKey::WhatChanged:
        return QStringLiteral("What Changed");
    case ProgramKey::UserGuide:
        return QStringLiteral("User's Guide");
    case ProgramKey::Exit:
        break;
    }
    return QStringLiteral("Exit");
}

namespace {

void go(Navigator& navigator, ProgramKey key, int empireId)
{
    switch (key) {
    case ProgramKey::TurnData:
        navigator.openTurnData(empireId);
        return;
    case ProgramKey::WarpMap:
        navigator.openWarpMap(empireId);
        return;
    case ProgramKey::WhatChanged:
        navigator.openWhatChanged(empireId);
        return;
    case ProgramKey::UserGuide:
        navigator.openUserGuide();
        return;
    case ProgramKey::Exit:
        navigator.exitProgram();
        return;
    }
}

// Where a menu asked for by key appears: on the current row of a list, else mid-widget.
QPoint menuPlace(QWidget* widget)
{
    if (auto* view = qobject_cast<QAbstractItemView*>(widget);
        view && view->currentIndex().isValid())
        return view->viewport()->mapTo(view, view->visualRect(view->currentIndex()).center());
    return widget->rect().center();
}

void openContextMenu()
{
    QWidget* focused = QApplication::focusWidget();
    if (!focused)
        return;
    const QPoint at = menuPlace(focused);
    QContextMenuEvent event(QContextMenuEvent::Keyboard, at, focused->mapToGlobal(at));
    QApplication::sendEvent(focused, &event);
}

} // namespace

void addProgramKeys(QWidget* window, Navigator& navigator, int empireId,
                    std::initializer_list<ProgramKey> keys)
{
    for (const ProgramKey key : keys) {
        auto* shortcut = new QShortcut(keyOf(key), window);
        shortcut->setObjectName(QStringLiteral("Key ") + nameOf(key));
        QObject::connect(shortcut, &QShortcut::activated, window,
                         [&navigator, key, empireId] { go(navigator, key, empireId); });
    }
    addContextMenuKey(window);
}

void addContextMenuKey(QWidget* window)
{
    auto* shortcut = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), window);
    shortcut->setObjectName(QStringLiteral("Key Context Menu"));
    QObject::connect(shortcut, &QShortcut::activated, window, &openContextMenu);
}

} // namespace vf
