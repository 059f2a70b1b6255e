#pragma once

#include "model/Order.h"
#include "model/RecordKind.h"

#include <QList>
#include <QSet>
#include <QString>

#include <optional>

namespace vf {

class Store;

// The kinds of records that each want an order every turn, in the order Turn Data lists them.
inline constexpr RecordKind kOrderedKinds[] = {RecordKind::Fleet, RecordKind::Army,
                                               RecordKind::PopulationGroup, RecordKind::Commander};

// The whole number a slot's text starts with ("12 Home Guard" and "12" give 12); nothing when
// it starts with none.
std::optional<int> leadingRecordNumber(const QString& text);

// The numbers of the records of a kind the orders name: an order's code takes that kind in
// one of its slots (what New Order… offers on such a record) and that slot starts with the
// record's number.
QSet<int> recordsNamed(const QList<Order>& orders, RecordKind kind);

// How many records of one kind no order names.
struct RecordsWithoutOrders {
    RecordKind kind = RecordKind::Fleet;
    int count = 0;

    bool operator==(const RecordsWithoutOrders&) const = default;
};

// For each of the ordered kinds, in their order, how many of the empire's records none of its
// stored orders names.
QList<RecordsWithoutOrders> withoutOrders(const Store& store, int empireId);

// "2 fleets, 1 army have no order this turn.", or, when every record has one, "Every fleet,
// army, population group and commander has an order this turn."
QString withoutOrdersLine(const QList<RecordsWithoutOrders>& counts);

} // namespace vf
