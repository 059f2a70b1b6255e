#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace vf {

// Every turn results file imported is kept, one folder per empire:
// <data folder>/Turn results archive/<number>/<number> yyyy-mm-dd hh-mm-ss.mdb
class TurnResultsArchive {
public:
    explicit TurnResultsArchive(QString dataFolder);

    QString pathFor(const QString& empireNumber, const QDateTime& when) const;
    // Copies the file in and returns where; throws vf::Error when it cannot be kept.
    QString keep(const QString& file, const QString& empireNumber, const QDateTime& when) const;

    struct Kept {
        QDateTime when;
        QString path;
    };
    // The files kept for the empire, oldest first.
    QList<Kept> kept(const QString& empireNumber) const;

private:
    QString m_folder;
};

} // namespace vf
