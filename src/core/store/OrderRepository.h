#pragma once

#include "Order.h"

#include <QList>

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

    // Appends an order with the empire's highest priority plus 10 (10 for the first) in one
    // transaction; returns the priority given.
    int append(int empireId, const QString& code,
               const std::array<QString, kSlotCount>& slots) const;

    // Deletes every order of the empire in one transaction; returns how many there were.
    int clear(int empireId) const;

    // Turns every zero-length (or valueless) slot of the empire's orders into a single blank, in
    // one transaction.
    void blankFill(int empireId) const;

    static QString slotField(int slot) { return QStringLiteral("i%1").arg(slot); }

private:
    const Store& m_store;
};

} // namespace vf
