#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace vf {

// Writes a file whole or not at all. The bytes go to a new file beside the target, written
// without a buffer of the program's own so that every failure shows where it happens; the
// new file is then synced to the disk, its size checked, and only then does it replace the
// target. Until that moment the target is as it was, byte for byte; on any failure the new
// file is removed and vf::Error gives the cause in a player's words ("the disk is full").
class WholeFileWriter {
public:
    explicit WholeFileWriter(QString target);
    ~WholeFileWriter();
    WholeFileWriter(const WholeFileWriter&) = delete;
    WholeFileWriter& operator=(const WholeFileWriter&) = delete;

    void write(const QByteArray& bytes);
    void commit();

private:
    [[noreturn]] void fail(const QString& cause);
    // A full disk, else what the system said (a call QFile did not make), else QFile's error.
    QString causeOfFailure(const QString& systemSaid = QString()) const;

    QString m_target;
    QFile m_file;
    qint64 m_written = 0;
    bool m_done = false;
};

// The two uses: bytes made in memory, and a copy of a file. Each throws vf::Error with the
// cause alone; the caller names the file.
void writeFileWhole(const QString& target, const QByteArray& bytes);
void copyFileWhole(const QString& source, const QString& target);

// The file name chosen to save to, with the extension the file needs ("png") added when it
// does not end so already, in any letter case ("mymap" -> "mymap.png", "my.map" ->
// "my.map.png", "Map.PNG" stays).
QString withExtension(const QString& chosen, const QString& extension);

// Whether the disk holding the folder has no room left to speak of: a write that failed there
// failed for that.
bool diskIsFull(const QString& folder);

// Removes what writes that never finished left in the folders (the program was killed, the
// machine lost power): files with the names the writer gives its new files, nothing else.
// Returns how many were removed.
int removeUnfinishedFiles(const QStringList& folders);

} // namespace vf
