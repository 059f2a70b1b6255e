#pragma once

#include "model/ImportStamp.h"
#include "model/Order.h"
#include "orders/OrderCheck.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace vf {

class Store;

// One earlier turn of an empire's orders the player may copy from: a copy Save Orders kept
// in the archive, or the orders Clear Orders kept aside.
struct EarlierTurn {
    enum class Kind { Saved, Cleared, Damaged };
    Kind kind = Kind::Saved;
    QString path;   // of the copy; empty for the cleared orders
    QDateTime when; // saved or cleared; invalid: not known
    ImportStamp checkedAgainst;
    int orders = 0;
    QString damage; // why a damaged copy cannot be read
    // Tells the turn apart from another shown at the same place (a copy written again, orders
    // cleared again).
    QString version;

    bool readable() const { return kind != Kind::Damaged; }
    // "12-07-2026 at 12:00", "Cleared on 12-07-2026 at 12:00 (not saved)",
    // "12-07-2026 at 12:00: damaged, cannot be read".
    QString shownWhen() const;
    // "the import of 12-01-2026 at 09:30 (123.mdb)", "no import": for a copy.
    QString shownImport() const;
};

// The empire's earlier turns, newest first: the copies in the archive of the data folder
// (only their headers are read: a copy damaged within is found when it is read whole), and
// the orders kept aside by the last Clear Orders, when there are any.
QList<EarlierTurn> earlierTurns(const Store& store, const QString& dataFolder, int empireId);

// The orders of an earlier turn, in their sequence; throws vf::Error when they cannot be read
// (the copy is damaged, or gone).
QList<Order> ordersOf(const Store& store, const EarlierTurn& turn, int empireId);

// What copying orders to this turn did.
struct CopiedOrders {
    QList<Order> stored;     // as stored, after the empire's highest priority
    OrderCheckReport report; // the check of every order of the empire afterwards
    int failing = 0;         // how many of the copies will fail to execute
    bool afterOthers = true; // the empire had orders before the copies
};

// Stores copies of the orders as new orders of the empire after its highest priority, in their
// sequence, in one transaction, then checks the empire's orders against its turn data as
// imported now. Throws vf::Error when nothing was stored.
CopiedOrders copyToThisTurn(const Store& store, int empireId, const QList<Order>& orders);

} // namespace vf
