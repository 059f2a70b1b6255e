#pragma once

#include "orders/ChoiceList.h"

#include <QSqlQuery>
#include <functional>
#include <initializer_list>

namespace vf {

class Store;

// The choice lists the turn data of one empire offers, read afresh on every call. Rows
// come in stored order unless a list is sorted by name, which ignores letter case. Rows
// whose identifier is missing are left out of the lists that attach identifiers.
class TurnDataRepository {
public:
    TurnDataRepository(const Store& store, int empireId)
        : m_store(store)
        , m_empireId(empireId)
    {
    }

    ChoiceList fleets() const;
    ChoiceList starNames() const;
    ChoiceList items() const;
    ChoiceList commanders() const;
    ChoiceList populationGroups() const;
    ChoiceList shipClasses() const;
    ChoiceList installations() const;
    ChoiceList armies() const;
    ChoiceList battlePlans() const;
    ChoiceList researchableItems() const;
    ChoiceList convoyRoutes() const;
    ChoiceList warpPointsOf(const QString& star) const;
    ChoiceList orbitalLocationsOf(const QString& star) const;

private:
    using Row = std::function<ChoiceEntry(const QSqlQuery&)>;
    ChoiceList read(const QString& sql, std::initializer_list<QVariant> values,
                    const Row& row) const;
    ChoiceList names(const QString& field, const QString& table, bool sorted) const;

    const Store& m_store;
    int m_empireId;
};

} // namespace vf
