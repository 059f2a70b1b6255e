#pragma once

#include <QKeySequence>
#include <QString>

#include <initializer_list>

class QWidget;

namespace vf {

class Navigator;

// The keys that do the same thing in every window of the program.
enum class ProgramKey {
    TurnData,    // Ctrl+T
    WarpMap,     // Ctrl+M
    WhatChanged, // Ctrl+Shift+T
    UserGuide,   // F1
    Exit,        // Ctrl+Q
};

QKeySequence keyOf(ProgramKey key);
// "Turn Data", …: the name of what the key opens, as the main menu's File menu names it.
QString nameOf(ProgramKey key);

constexpr std::initializer_list<ProgramKey> kEveryProgramKey = {
    ProgramKey::TurnData, ProgramKey::WarpMap, ProgramKey::WhatChanged, ProgramKey::UserGuide,
    ProgramKey::Exit};

// Gives a window the program's keys for the empire it shows (each through the navigator, as
// the main menu's would), and Shift+F10, the context menu of what has the focus, as the Menu
// key opens it. A window where quitting would drop what the player is typing leaves out Exit.
void addProgramKeys(QWidget* window, Navigator& navigator, int empireId,
                    std::initializer_list<ProgramKey> keys = kEveryProgramKey);
// Shift+F10 alone (the main menu has the others in its menus).
void addContextMenuKey(QWidget* window);

} // namespace vf
