#include "DataFolder.h"

#include <QDir>

namespace vf {

DataFolder::DataFolder(QString folder)
    : m_folder(QDir::cleanPath(std::move(folder)))
{
}

QString DataFolder::defaultFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:/kelvar");
#else
    return QDir::home().filePath(QStringLiteral("kelvar"));
#endif
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
