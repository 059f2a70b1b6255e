#pragma once

#include <QString>
#include <QStringList>

namespace vf {

// Where the program keeps its files: the turn entry database, the turn results files the
// player copies in, and the orders files it writes.
class DataFolder {
public:
    explicit DataFolder(QString folder);

    // C:\kelvar on Windows, ~/kelvar elsewhere.
    static QString defaultFolder();

    QString folder() const { return m_folder; }
    QString databaseFile() const;
    QString turnResultsFile(const QString& empireNumber) const;
    QString ordersFolder() const;
    // Every turn results file imported is kept here, a folder per empire.
    QString archiveFolder() const;
    // The folders the program writes files into: this one, the orders folder, the archive's.
    QStringList foldersWritten() const;
    // The folders as the player sees them in messages.
    QString displayFolderName() const; // without a closing separator
    QString displayFolder() const;     // with a closing separator
    QString displayOrdersFolder() const;

private:
    QString m_folder;
};

} // namespace vf
