#pragma once

#include "orders/TurnData.h"

#include <functional>
#include <initializer_list>

namespace vf {

class Store;
class StoredRow;

// The choice lists the turn data of one empire offers, read afresh on every call. Rows
// come in stored order unless a list is sorted by name, which ignores letter case. Rows
// whose identifier is missing are left out of the lists that attach identifiers.
class TurnDataRepository final : public TurnData {
public:
    TurnDataRepository(const Store& store, int empireId)
        : m_store(store)
        , m_empireId(empireId)
    {
    }

    ChoiceList fleets() const override;
    ChoiceList starNames() const override;
    ChoiceList items() const override;
    ChoiceList commanders() const override;
    ChoiceList populationGroups() const override;
    ChoiceList shipClasses() const override;
    ChoiceList installations() const override;
    ChoiceList armies() const override;
    ChoiceList battlePlans() const override;
    ChoiceList researchableItems() const override;
    ChoiceList convoyRoutes() const override;
    ChoiceList warpPointsOf(const QString& star) const override;
    QHash<QString, ChoiceList> warpPointsByStar() const override;
    ChoiceList orbitalLocationsOf(const QString& star) const override;

private:
    using Row = std::function<ChoiceEntry(const StoredRow&)>;
    ChoiceList read(const QString& sql, std::initializer_list<QVariant> values,
                    const Row& row) const;
    ChoiceList names(const QString& field, const QString& table, bool sorted) const;

    const Store& m_store;
    int m_empireId;
};

} // namespace vf
