#pragma once

#include <QString>
#include <QStringList>

// Where things are on this system; one implementation per system.
namespace vf::platform {

// The data folder when none is given: C:\kelvar on Windows, ~/kelvar on Linux.
QString defaultDataFolder();
// A program's file name: "name.exe" on Windows, "name" on Linux.
QString executableName(const QString& name);
// The reader's folder relative to the program's when installed: libexec/vfturn/ beside bin/
// on Linux; the program's own folder on Windows.
QString installedWorkerFolder();
// The program's command line as the player typed it (on Windows read from the wide command
// line, so that any letter of a folder's name comes through).
QStringList commandLineArguments(int argc, char* argv[]);

} // namespace vf::platform
