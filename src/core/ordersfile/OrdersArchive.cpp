#include "OrdersArchive.h"

#include "Error.h"
#include "platform/DataFolder.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace vf {

namespace {

const QString kNameTime = QStringLiteral("yyyy-MM-dd hh-mm-ss");
// Enough for any header: the lines are short.
constexpr qint64 kHeaderRoom = 4096;

QString prefixOf(int empireId)
{
    return QStringLiteral("%1 orders ").arg(empireId);
}

QByteArray readFile(const QString& path, qint64 most = -1)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("it cannot be opened (%1)").arg(file.errorString()));
    return most < 0 ? file.readAll() : file.read(most);
}

OrdersArchive::Copy listed(const QFileInfo& file, const QDateTime& when, int empireId)
{
    OrdersArchive::Copy copy{
        file.absoluteFilePath(),
        when,
        std::nullopt,
        QString(),
        file.size(),
        QStringLiteral("%1 %2").arg(file.size()).arg(file.lastModified().toMSecsSinceEpoch())};
    try {
        const SavedOrdersHeader header = savedorders::readHeader(readFile(copy.path, kHeaderRoom));
        if (header.empireId != empireId)
            copy.damage = QStringLiteral("it holds the orders of Empire # %1").arg(header.empireId);
        else if (header.headerBytes + header.bodyBytes > copy.bytes)
            copy.damage = QStringLiteral("it is cut short");
        else
            copy.header = header;
    } catch (const Error& error) {
        copy.damage = error.message();
    }
    return copy;
}

} // namespace

OrdersArchive::OrdersArchive(QString dataFolder)
    : m_folder(DataFolder(std::move(dataFolder)).archiveFolder())
{
}

QString OrdersArchive::pathFor(int empireId, const QDateTime& when) const
{
    return QDir(m_folder).filePath(QStringLiteral("%1/").arg(empireId) + prefixOf(empireId) +
                                   when.toString(kNameTime) + QStringLiteral(".txt"));
}

QString OrdersArchive::keep(const SavedOrdersHeader& header, const QList<Order>& orders) const
{
    const QString path = pathFor(header.empireId, header.saved);
    const auto fail = [&](const QString& why) {
        return Error(QStringLiteral("The copy of the orders could not be kept in the archive as "
                                    "%1: %2.")
                         .arg(QDir::toNativeSeparators(path), why));
    };
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw fail(QStringLiteral("the folder could not be made"));
    const QByteArray bytes = savedorders::encode(header, orders);
    try {
        writeFileWhole(path, bytes);
        // What is on the disk now is read back whole: the copy is told kept only when it reads.
        if (readFile(path) != bytes)
            throw Error(QStringLiteral("what was written reads back otherwise"));
    } catch (const Error& error) {
        throw fail(error.message());
    }
    return path;
}

QList<OrdersArchive::Copy> OrdersArchive::copies(int empireId) const
{
    const QString prefix = prefixOf(empireId);
    const QDir folder(QDir(m_folder).filePath(QString::number(empireId)));
    QList<Copy> all;
    for (const QFileInfo& file :
         folder.entryInfoList({prefix + QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
        const QDateTime when =
            QDateTime::fromString(file.completeBaseName().mid(prefix.size()), kNameTime);
        if (when.isValid())
            all << listed(file, when, empireId);
    }
    std::sort(all.begin(), all.end(), [](const Copy& a, const Copy& b) { return a.when > b.when; });
    return all;
}

QList<Order> OrdersArchive::ordersIn(const QString& path)
{
    return savedorders::readOrders(readFile(path));
}

QString OrdersArchive::damageOf(const QString& path)
{
    try {
        ordersIn(path);
    } catch (const Error& error) {
        return error.message();
    }
    return QString();
}

} // namespace vf
