#pragma once

#include <QString>
#include <optional>

class QApplication;

namespace vf {

struct StartupOptions {
    QString dataFolder;
    std::optional<int> exitCode; // set when the program ends before it starts (--help, --version)
};

// Reads the command line: --data-dir DIR, --help, --version.
StartupOptions parseStartupOptions(QApplication& app);

// Opens (or creates) the data folder and the turn entry database, shows the main menu and
// runs until the player exits. A database that cannot be opened is reported and the
// program ends with status 1.
int runProgram(QApplication& app, const StartupOptions& options);

} // namespace vf
