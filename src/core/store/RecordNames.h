#pragma once

#include "model/RecordKind.h"

#include <QHash>
#include <QList>
#include <QString>

namespace vf {

class Store;

// The name each numbered record of an empire's turn data bore at the latest import that held
// it (a fleet's or army's name, a commander's name, a population group's star and orbit, a
// warp point's destination), kept past that import: an order naming a record that is gone or
// renumbered still tells what it meant. Filled by each import of turn results.
class RecordNames {
public:
    explicit RecordNames(const Store& store)
        : m_store(store)
    {
    }

    // Makes the table when missing (a database of an earlier version) and fills it from the
    // turn data stored now.
    static void addTable(const Store& store);

    // Keeps the names of the records the empire's turn data holds now, over those kept before;
    // inside the import's transaction.
    void keep(int empireId) const;
    // Keeps the names of every empire's records (after an old database was taken in).
    void keepAll() const;

    // The names kept of the records with these numbers; none of those never seen, nor when the
    // database, opened for reading only, has no such table.
    QHash<int, QString> namesOf(int empireId, RecordKind kind, const QList<int>& numbers) const;

private:
    void keepWhere(const QString& condition, std::initializer_list<QVariant> values) const;

    const Store& m_store;
};

} // namespace vf
