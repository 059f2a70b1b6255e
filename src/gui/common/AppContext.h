#pragma once

#include "platform/DataFolder.h"

namespace vf {

class Store;
class Dialogs;
class Clock;
class ScreenMetrics;

// What every window of one run shares: the database, the data folder, the dialogs and the
// platform seams, and the empire last chosen by click or key on the main menu.
struct AppContext {
    Store& store;
    DataFolder dataFolder;
    Dialogs& dialogs;
    const Clock& clock;
    const ScreenMetrics& screen;
    QString readerPath; // path of the turn results reader executable
    int currentEmpireId = 0;
    QString userGuide = QString(); // path of the user's guide (the README)
};

} // namespace vf
