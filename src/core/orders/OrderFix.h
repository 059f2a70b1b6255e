#pragma once

#include "OrderCheck.h"

#include <QHash>

#include <functional>

namespace vf {

// One value a finding's slot may take instead: as the player reads it ("Fleet # 503 Home
// Guard (same name)") and as the slot stores it ("503").
struct FixChoice {
    QString label;
    QString value;

    bool operator==(const FixChoice&) const = default;
};

// What Check Orders offers for a finding: the values of the turn data for its slot, best
// first; or why there is nothing to pick.
struct FixOffer {
    int slot = 0;     // the slot a pick rewrites
    QString was;      // what the slot held when the fix was offered (null: no value)
    QString slotName; // "Fleet #"
    QList<FixChoice> choices;
    QString none;     // when there are no choices: why
    int starSlot = 0; // the slot naming the star whose warp points are listed (0: none)

    bool fixes() const { return !choices.isEmpty(); }
};

// The names kept of numbered records of a kind, by number (see RecordNames).
using RecordNamesOf = std::function<QHash<int, QString>(RecordKind, const QList<int>&)>;

// The fix of a finding of the order, from the turn data:
// - a record the slot names that the data no longer holds: the records of its kind, the one
//   that bore the same name first (a renumbered fleet keeps its name), then by number;
// - a warp point not at the order's star: that star's warp points, where it led first;
// - any other value not in its list (a star, an item, a ship class): that list, the names
//   closest to the typed one first;
// - a value storing would have corrected: the corrected one.
// Findings of the order as a whole (its code, its priority) and notes that only question a
// value have none.
FixOffer fixFor(const OrderFinding& finding, const Order& order, const TurnData& data,
                const RecordNamesOf& namesOf);

// How far apart two names are: the letters to change, add, drop or swap, letter case aside.
int nameDistance(const QString& a, const QString& b);

} // namespace vf
