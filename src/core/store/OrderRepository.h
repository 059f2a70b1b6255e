#pragma once

#include "model/Order.h"

#include <QDateTime>
#include <QList>

#include <limits>
#include <optional>

namespace vf {

class Store;

// The orders of each empire, always read in processing order (rising priority).
class OrderRepository {
public:
    explicit OrderRepository(const Store& store)
        : m_store(store)
    {
    }

    int count(int empireId) const;
    QList<Order> ordersOf(int empireId) const;
    // One order of the empire, by its key; none when it is gone.
    std::optional<Order> find(int empireId, qint64 orderId) const;
    // Writes one slot of one order, the rest of the order untouched, where the slot still holds
    // what it held when read (a null value a missing one); false when it no longer does.
    bool replaceSlot(qint64 orderId, int slot, const QString& was, const QString& value) const;

    // Appends an order with the empire's highest priority plus 10 (10 for the first) in one
    // transaction; returns the priority given.
    int append(int empireId, const QString& code,
               const std::array<QString, kSlotCount>& slots) const;
    // Appends several orders, in their order, in one transaction: all or none.
    struct NewOrder {
        QString code;
        std::array<QString, kSlotCount> slots;
    };
    QList<int> appendAll(int empireId, const QList<NewOrder>& orders) const;

    // Appends copies of the orders after the empire's highest priority, in their sequence (10
    // apart, as append gives), their codes and slots as they are, in one transaction: all or
    // none. They are read back before it is committed; a copy that does not read back as it
    // was meant throws vf::Error and nothing is stored. Returns the orders as stored.
    QList<Order> appendCopies(int empireId, const QList<Order>& orders) const;

    // Deletes every order of the empire in one transaction; returns how many there were. They
    // are kept aside (one set an empire, until its next clear) with when they were cleared
    // (invalid: not known) and can be restored.
    int clear(int empireId, const QDateTime& when = QDateTime()) const;
    int clearedCount(int empireId) const;
    // The orders kept aside, in their sequence, and when they were cleared (invalid: not known,
    // they were cleared by an earlier version).
    QList<Order> clearedOrders(int empireId) const;
    QDateTime clearedAt(int empireId) const;
    // Brings the orders kept aside back after the empire's orders, in their own order: their
    // priorities raised by the highest priority the empire has now (kept as they were when it
    // has none). Returns how many; the kept set is then gone.
    int restoreCleared(int empireId) const;

    // Stores deleted orders again as they were (their priorities, and their keys where free).
    void putBack(int empireId, const QList<Order>& orders) const;

    // Turns every zero-length (or valueless) slot of the empire's orders into a single blank, in
    // one transaction.
    void blankFill(int empireId) const;

    static QString slotField(int slot) { return QStringLiteral("i%1").arg(slot); }

private:
    // The orders of a table of orders ("Orders", "Cleared Orders") above a priority, in their
    // sequence.
    QList<Order> ordersIn(const QString& table, int empireId,
                          qint64 abovePriority = std::numeric_limits<qint64>::min()) const;
    // The orders of a table that meet the condition, in their sequence.
    QList<Order> read(const QString& table, const QString& condition,
                      std::initializer_list<QVariant> values) const;
    int appendInside(int empireId, const QString& code,
                     const std::array<QString, kSlotCount>& slots) const;

    const Store& m_store;
};

} // namespace vf
