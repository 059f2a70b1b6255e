#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QApplication;
class QIcon;

namespace vf {

class DataFolder;
class Dialogs;
class Store;

struct StartupOptions {
    QString dataFolder;
    std::optional<int> exitCode; // set when the program ends before it starts (--help, --version)
};

// Reads the command line: --data-dir DIR, --help, --version.
StartupOptions parseStartupOptions(const QStringList& arguments);

// The program's icon, which every window carries.
QIcon programIcon();

// Makes the data folder when missing and opens (or creates) the turn entry database in it.
// A database that cannot be opened is reported through the dialogs; nothing is returned. One
// that can only be read is opened, and the player told once that nothing can be stored.
std::unique_ptr<Store> openTurnEntryDatabase(const DataFolder& folder, Dialogs& dialogs);

// Opens the database, shows the main menu and runs until the player exits. A database that
// cannot be opened is reported and the program ends with status 1.
int runProgram(QApplication& app, const StartupOptions& options);

} // namespace vf
