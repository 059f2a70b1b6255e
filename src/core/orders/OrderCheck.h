#pragma once

#include "model/Order.h"
#include "model/RecordKind.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace vf {

class TurnData;

// Something about one stored order that may make it fail at the game company.
struct OrderFinding {
    enum class Severity {
        Error,   // the order will fail to execute
        Warning, // the orders file may not say what the player means
        Note,    // storing would have corrected or questioned it
    };
    Severity severity = Severity::Error;
    qint64 orderId = 0;
    int priority = 0;
    QString code;
    int slot = 0; // 0: the order as a whole
    QString problem;
    QString fix;
    QString orderPrint; // the order as it was checked (see orderPrint in SetAside.h)
};

struct OrderCheckReport {
    int orders = 0;
    QList<OrderFinding> findings;
    // What the player set aside and the order still is as it was then: shown apart, counted
    // nowhere.
    QList<OrderFinding> setAside;

    // Orders with at least one error (of the findings not set aside).
    int failingOrders() const;
    bool hasErrors() const { return failingOrders() > 0; }
};

// Looks at an empire's stored orders as a whole, whatever Edit Orders made of them, with the
// rules the order entry window applies: the refusing and correcting checks of storing, the
// slots storing turns into identifiers, each slot's own pick-list from the turn data, the
// catalogue of codes; and two orders that share a priority. It only reads.
class OrderChecker {
public:
    // lastImport: when the turn data was imported (invalid: never).
    OrderChecker(const TurnData& turnData, QDateTime lastImport);

    OrderCheckReport check(const QList<Order>& orders) const;

private:
    void checkOrder(const Order& order, QList<OrderFinding>& findings) const;
    void checkSlots(const Order& order, QList<OrderFinding>& findings) const;
    QString whenImported() const;

    const TurnData& m_turnData;
    QDateTime m_lastImport;
};

// An order code whose pick-list in one slot offers a kind of record of the turn data: what
// "New Order…" on that record offers. starSlot: the slot naming the star whose warp points
// the slot lists (0: none).
struct SlotUse {
    QString code;
    int slot = 0;
    int starSlot = 0;
};

// For each code of the chooser, in its order, the first slot whose pick-list offers that kind
// of record.
QList<SlotUse> slotsTaking(RecordKind kind);

} // namespace vf
