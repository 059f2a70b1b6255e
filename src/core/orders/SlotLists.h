#pragma once

#include "ChoiceList.h"
#include "model/Order.h"
#include "model/RecordKind.h"

#include <optional>

namespace vf {

class TurnData;

// What the pick-lists of a stored order's slots are made of, learnt as the order entry window
// builds them: for checking a stored value against its list, and for offering the list again.
namespace slotlists {

// The turn data's sources of entries.
enum Source {
    Fleets,
    StarNames,
    Items,
    Commanders,
    PopulationGroups,
    ShipClasses,
    Installations,
    Armies,
    BattlePlans,
    ResearchableItems,
    ConvoyRoutes,
    WarpPoints,
    OrbitalLocations,
};

// What a slot's pick-list is made of.
struct SlotSources {
    unsigned sources = 0;     // a bit for each source
    bool identifiers = false; // entries of the turn data carry identifiers

    bool has(Source source) const { return (sources & (1U << source)) != 0; }
};

// The pick-lists the slots of the stored order offer when each gets the focus in turn, from
// slot 1 up, as the order entry window builds them (a list may be built when an earlier slot
// gets the focus). Every focus sees the slots as stored.
QList<ChoiceList> pickLists(const Order& order, int slotCount, const TurnData& data);

// The sources of the pick-lists of the order's first slots.
QList<SlotSources> sourcesOf(const Order& order, int slotCount);

// The sources a stored value must be found in: star names and orbits may name what the turn
// data does not know yet.
bool namesTurnData(const SlotSources& slot);

// Whether the list offers the stored value: an identifier by its number, anything else by
// its text (letter case aside, as the old database compared).
bool offers(const ChoiceList& list, const QString& value);

// The slot a slot's list depends on: for the warp points of one star, the nearest slot before
// it that offers the star names (the star the list was read for).
std::optional<int> starSlotFor(const QList<SlotSources>& sources, int slot);

// The kind of numbered record a slot's list offers, if any.
std::optional<RecordKind> recordKindOf(const SlotSources& slot);

} // namespace slotlists

} // namespace vf
