#pragma once

#include "TurnData.h"

#include <QHash>

#include <functional>
#include <optional>

namespace vf {

// Reads each list of another turn data once and keeps it: for looking at many orders at a
// time, while the turn data does not change.
class CachedTurnData final : public TurnData {
public:
    explicit CachedTurnData(const TurnData& data)
        : m_data(data)
    {
    }

    ChoiceList fleets() const override
    {
        return kept(QStringLiteral("fleets"), [&] { return m_data.fleets(); });
    }
    ChoiceList starNames() const override
    {
        return kept(QStringLiteral("stars"), [&] { return m_data.starNames(); });
    }
    ChoiceList items() const override
    {
        return kept(QStringLiteral("items"), [&] { return m_data.items(); });
    }
    ChoiceList commanders() const override
    {
        return kept(QStringLiteral("commanders"), [&] { return m_data.commanders(); });
    }
    ChoiceList populationGroups() const override
    {
        return kept(QStringLiteral("groups"), [&] { return m_data.populationGroups(); });
    }
    ChoiceList shipClasses() const override
    {
        return kept(QStringLiteral("classes"), [&] { return m_data.shipClasses(); });
    }
    ChoiceList installations() const override
    {
        return kept(QStringLiteral("installations"), [&] { return m_data.installations(); });
    }
    ChoiceList armies() const override
    {
        return kept(QStringLiteral("armies"), [&] { return m_data.armies(); });
    }
    ChoiceList battlePlans() const override
    {
        return kept(QStringLiteral("plans"), [&] { return m_data.battlePlans(); });
    }
    ChoiceList researchableItems() const override
    {
        return kept(QStringLiteral("research"), [&] { return m_data.researchableItems(); });
    }
    ChoiceList convoyRoutes() const override
    {
        return kept(QStringLiteral("routes"), [&] { return m_data.convoyRoutes(); });
    }
    // A star's warp points are read star by star for the first few stars; after that every
    // star's at once, where the turn data can (one read of them all costs about as much as
    // three stars read one by one in a large empire).
    ChoiceList warpPointsOf(const QString& star) const override
    {
        const QString key = QStringLiteral("warp points of ") + star.toCaseFolded();
        if (!m_warpPoints && !m_lists.contains(key) && ++m_starsRead > kStarsReadAlone)
            m_warpPoints = m_data.warpPointsByStar();
        if (m_warpPoints && !m_warpPoints->isEmpty())
            return m_warpPoints->value(star.toCaseFolded());
        return kept(key, [&] { return m_data.warpPointsOf(star); });
    }
    QHash<QString, ChoiceList> warpPointsByStar() const override
    {
        if (!m_warpPoints)
            m_warpPoints = m_data.warpPointsByStar();
        return *m_warpPoints;
    }
    ChoiceList orbitalLocationsOf(const QString& star) const override
    {
        return kept(QStringLiteral("orbits of ") + star.toCaseFolded(),
                    [&] { return m_data.orbitalLocationsOf(star); });
    }

private:
    ChoiceList kept(const QString& key, const std::function<ChoiceList()>& read) const
    {
        auto found = m_lists.constFind(key);
        if (found == m_lists.constEnd())
            found = m_lists.insert(key, read());
        return *found;
    }

    const TurnData& m_data;
    mutable QHash<QString, ChoiceList> m_lists;
    static constexpr int kStarsReadAlone = 3;
    mutable int m_starsRead = 0;
    mutable std::optional<QHash<QString, ChoiceList>> m_warpPoints;
};

} // namespace vf
