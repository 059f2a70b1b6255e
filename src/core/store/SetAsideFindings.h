#pragma once

#include "orders/SetAside.h"

namespace vf {

class Store;

// The findings of Check Orders the player set aside, kept in a table of their own: each with
// its order's key, its slot, its problem and the print of its order then. A row goes with its
// order when the order is deleted (one by one, or cleared) or changed in any way (its code, a
// slot, its priority): the database's triggers drop it, whichever window or import wrote.
// Writing here is not announced to the windows that follow the store.
class SetAsideFindings {
public:
    explicit SetAsideFindings(const Store& store)
        : m_store(store)
    {
    }

    // Makes the table and its triggers when missing (a database of an earlier version).
    static void addTable(const Store& store);

    // The findings set aside of the empire's orders; none when the database, opened for
    // reading only, has no such table.
    QSet<SetAsideKey> of(int empireId) const;
    int count() const;
    // Sets the finding aside while its order is as it was checked; nothing when the order is
    // gone.
    void setAside(const OrderFinding& finding) const;
    void bringBack(const OrderFinding& finding) const;

private:
    const Store& m_store;
};

} // namespace vf
