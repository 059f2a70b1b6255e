#include "TurnResultsArchive.h"

#include "Error.h"
#include "platform/DataFolder.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace vf {

TurnResultsArchive::TurnResultsArchive(QString dataFolder)
    : m_folder(DataFolder(std::move(dataFolder)).archiveFolder())
{
}

QString TurnResultsArchive::pathFor(const QString& empireNumber, const QDateTime& when) const
{
    return QDir(m_folder).filePath(
        empireNumber + QLatin1Char('/') + empireNumber + QLatin1Char(' ') +
        when.toString(QStringLiteral("yyyy-MM-dd hh-mm-ss")) + QStringLiteral(".mdb"));
}

QString TurnResultsArchive::keep(const QString& file, const QString& empireNumber,
                                 const QDateTime& when) const
{
    const QString path = pathFor(empireNumber, when);
    const auto fail = [&](const QString& why) {
        return Error(QStringLiteral("The turn results file could not be kept in the archive as "
                                    "%1: %2.")
                         .arg(QDir::toNativeSeparators(path), why));
    };
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw fail(QStringLiteral("the folder could not be made"));
    try {
        // A second import within the same second keeps the later file.
        copyFileWhole(file, path);
    } catch (const Error& error) {
        throw fail(error.message());
    }
    return path;
}

QList<TurnResultsArchive::Kept> TurnResultsArchive::kept(const QString& empireNumber) const
{
    const QString prefix = empireNumber + QLatin1Char(' ');
    QList<Kept> all;
    const QDir folder(QDir(m_folder).filePath(empireNumber));
    for (const QFileInfo& file :
         folder.entryInfoList({prefix + QStringLiteral("*.mdb")}, QDir::Files, QDir::Name)) {
        const QDateTime when = QDateTime::fromString(file.completeBaseName().mid(prefix.size()),
                                                     QStringLiteral("yyyy-MM-dd hh-mm-ss"));
        if (when.isValid())
            all << Kept{when, file.absoluteFilePath()};
    }
    std::sort(all.begin(), all.end(), [](const Kept& a, const Kept& b) { return a.when < b.when; });
    return all;
}

} // namespace vf
