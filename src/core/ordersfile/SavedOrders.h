#pragma once

#include "model/ImportStamp.h"
#include "model/Order.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>

namespace vf {

// What a kept copy of saved orders says of itself: whose orders, when they were saved, the
// import of the turn data they were checked against, and how many.
struct SavedOrdersHeader {
    int empireId = 0;
    QDateTime saved;
    ImportStamp checkedAgainst;
    int orders = 0;
    qint64 bodyBytes = 0;   // the length of the orders after the header
    qint64 headerBytes = 0; // the length of the header itself
};

// The copy Save Orders keeps of the orders it wrote: a few lines of text naming what it holds,
// a checksum over them and the orders, then one order a line (a JSON array: priority, code and
// the 51 slots, a slot without a value as null). Any byte changed, lost or added, and any
// order lost or added, makes the copy unreadable as a whole.
namespace savedorders {

QByteArray encode(const SavedOrdersHeader& header, const QList<Order>& orders);

// The header from the beginning of a copy (its first few hundred bytes are enough); the
// checksum is not checked here. Throws vf::Error saying what is wrong.
SavedOrdersHeader readHeader(const QByteArray& beginning);

// The whole copy checked (length, checksum, count, each order) and its orders read, in their
// sequence. Throws vf::Error saying what is wrong.
QList<Order> readOrders(const QByteArray& whole);

} // namespace savedorders
} // namespace vf
