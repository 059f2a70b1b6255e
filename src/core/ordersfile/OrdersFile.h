#pragma once

#include "model/Order.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

namespace vf {

// The orders file the player uploads: a header line, then one line of 52 quoted values per
// order in processing order, CR LF line ends, Windows-1252 characters.
namespace ordersfile {

// "KELVAR Orders mm-dd-yyyy.<empire number>", whatever the regional settings.
QString fileName(const QDate& today, const QString& empireNumber);

QByteArray contents(const QString& empireNumber, const QString& password,
                    const QList<Order>& orders);

// Writes the file into the folder (made when missing) whole or not at all (see WholeFile.h):
// any earlier file of that name is replaced only once the new one is complete on the disk.
// Throws vf::Error naming the path and the cause when the file cannot be written. Returns
// the full path.
QString write(const QString& folder, const QString& fileName, const QByteArray& contents);

} // namespace ordersfile
} // namespace vf
