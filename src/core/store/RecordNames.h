#pragma once

#include "model/RecordKind.h"

#include <QHash>
#include <QList>
#include <QString>

namespace vf {

class Store;

// The names of the numbered records of an empire's turn data (a fleet's or army's name, a
// commander's name, a population group's star and orbit, a warp point's destination). Those of
// the fleets, armies, population groups and commanders its orders name are kept from the turn
// data an import replaces: an order naming one that is gone or renumbered still tells what it
// meant. Only the records the orders name are kept, so an import of a large empire stays quick.
class RecordNames {
public:
    explicit RecordNames(const Store& store)
        : m_store(store)
    {
    }

    // Makes the table when missing (a database of an earlier version), keeping the names of the
    // records the orders name from the turn data stored now.
    static void addTable(const Store& store);

    // Keeps the names of the records the empire's orders name, from its turn data as stored now:
    // inside an import's transaction, before the turn data is replaced.
    void keepNamedByOrders(int empireId) const;

    // The names of the records with these numbers: from the turn data stored now, else as kept;
    // none of those never seen.
    QHash<int, QString> namesOf(int empireId, RecordKind kind, const QList<int>& numbers) const;

private:
    const Store& m_store;
};

} // namespace vf
