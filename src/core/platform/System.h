#pragma once

#include <QString>

class QFile;
#include <QStringList>

// Where things are on this system; one implementation per system.
namespace vf::platform {

// The data folder when none is given: C:\kelvar on Windows, ~/kelvar on Linux.
QString defaultDataFolder();
// A program's file name: "name.exe" on Windows, "name" on Linux.
QString executableName(const QString& name);
// The reader's folder relative to the program's when installed: libexec/vfturn/ beside bin/
// on Linux; the program's own folder on Windows.
QString installedReaderFolder();
// The folder of the installed user's guide, relative to the program's: share/doc/vfturn/
// on Linux; the program's own folder on Windows.
QString installedDocumentFolder();
// The program's command line as the player typed it (on Windows read from the wide command
// line, so that any letter of a folder's name comes through).
QStringList commandLineArguments(int argc, char* argv[]);

// Makes the system write what it holds of an open file to the disk. Returns why it could
// not, or nothing. (In a file of its own per system, Sync_*.cpp.)
QString syncToDisk(QFile& file);
// Puts a file in the place of another in one step, replacing it when there is one.
// Returns why it could not, or nothing.
QString replaceFile(const QString& from, const QString& to);

} // namespace vf::platform
