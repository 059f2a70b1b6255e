#pragma once

#include "model/RecordKind.h"

#include "ChoiceList.h"

#include <QHash>

#include <QString>

namespace vf {

// The choice lists an empire's imported turn data offers, one per source: what the focus
// rules fill the entry boxes from. The store reads them (TurnDataRepository); the order check
// keeps what it read, and asks a stand-in to learn which slots take which sources.
class TurnData {
public:
    virtual ~TurnData() = default;

    virtual ChoiceList fleets() const = 0;
    virtual ChoiceList starNames() const = 0;
    virtual ChoiceList items() const = 0;
    virtual ChoiceList commanders() const = 0;
    virtual ChoiceList populationGroups() const = 0;
    virtual ChoiceList shipClasses() const = 0;
    virtual ChoiceList installations() const = 0;
    virtual ChoiceList armies() const = 0;
    virtual ChoiceList battlePlans() const = 0;
    virtual ChoiceList researchableItems() const = 0;
    virtual ChoiceList convoyRoutes() const = 0;
    virtual ChoiceList warpPointsOf(const QString& star) const = 0;
    virtual ChoiceList orbitalLocationsOf(const QString& star) const = 0;
    // Every star's warp points as warpPointsOf lists them, by the star's name case-folded, read
    // at once: cheaper than star by star when many stars are looked at. Empty when this turn
    // data cannot tell them at once (warpPointsOf then serves).
    virtual QHash<QString, ChoiceList> warpPointsByStar() const { return {}; }

    // Whether the turn data holds the record (a warp point: at that star).
    bool holds(RecordKind kind, int number, const QString& star = QString()) const;
};

} // namespace vf
