#include "DataFolder.h"

#include "System.h"

#include <QDir>

namespace vf {

DataFolder::DataFolder(QString folder)
    : m_folder(QDir::cleanPath(std::move(folder)))
{
}

QString DataFolder::defaultFolder()
{
    return platform::defaultDataFolder();
}

QString DataFolder::databaseFile() const
{
    return QDir(m_folder).filePath(QStringLiteral("VF Turn Entry Data.sqlite"));
}

QString DataFolder::turnResultsFile(const QString& empireNumber) const
{
    return QDir(m_folder).filePath(empireNumber + QStringLiteral(".mdb"));
}

QString DataFolder::ordersFolder() const
{
    return QDir(m_folder).filePath(QStringLiteral("Orders to HQV"));
}

QString DataFolder::archiveFolder() const
{
    return QDir(m_folder).filePath(QStringLiteral("Turn results archive"));
}

QStringList DataFolder::foldersWritten() const
{
    QStringList folders{m_folder, ordersFolder()};
    const QDir archive(archiveFolder());
    for (const QString& empire : archive.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        folders << archive.filePath(empire);
    return folders;
}

QString DataFolder::displayFolderName() const
{
    return QDir::toNativeSeparators(m_folder);
}

QString DataFolder::displayFolder() const
{
    return QDir::toNativeSeparators(m_folder + QLatin1Char('/'));
}

QString DataFolder::displayOrdersFolder() const
{
    return QDir::toNativeSeparators(ordersFolder() + QLatin1Char('/'));
}

} // namespace vf
