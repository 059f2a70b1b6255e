#pragma once

#include "SavedOrders.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace vf {

// The copies Save Orders keeps, beside the empire's turn results files in the archive:
// <data folder>/Turn results archive/<number>/<number> orders yyyy-mm-dd hh-mm-ss.txt
class OrdersArchive {
public:
    explicit OrdersArchive(QString dataFolder);

    QString pathFor(int empireId, const QDateTime& when) const;
    // Writes the copy whole or not at all and returns where; throws vf::Error naming the file
    // and the cause when it cannot be kept. A second save within the same second keeps the
    // later orders.
    QString keep(const SavedOrdersHeader& header, const QList<Order>& orders) const;

    // One copy as listed: its header when it could be read, else why not.
    struct Copy {
        QString path;
        QDateTime when; // from its name
        std::optional<SavedOrdersHeader> header;
        QString damage; // empty: none found
        qint64 bytes = 0;
        // Tells this copy apart from another written at the same place: its length and when.
        QString version;
    };
    // The empire's copies, newest first. Only the beginning of each is read, and its length
    // checked against what the header says: a copy cut short is found here, other damage when
    // it is read whole.
    QList<Copy> copies(int empireId) const;

    // The orders of a copy, checked whole; throws vf::Error saying why it cannot be read.
    static QList<Order> ordersIn(const QString& path);
    // Checks the copy whole: empty when it is sound, else what is wrong.
    static QString damageOf(const QString& path);

private:
    QString m_folder;
};

} // namespace vf
