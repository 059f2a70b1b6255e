#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace vf {

// One entry of an entry box's choice list: the text shown and, for fleets, armies,
// population groups, commanders and warp points, the record's identifier.
struct ChoiceEntry {
    QString text;
    std::optional<int> number;

    bool operator==(const ChoiceEntry&) const = default;
};

// QList shares its data on copy, so one list can fill many boxes without being copied.
using ChoiceList = QList<ChoiceEntry>;

inline ChoiceList choicesOf(const QStringList& words)
{
    ChoiceList list;
    list.reserve(words.size());
    for (const QString& word : words)
        list.append({word, std::nullopt});
    return list;
}

// The entries whose records are among those given first, then the rest, each in its order:
// the fleets at a star first.
inline ChoiceList recordsFirst(const ChoiceList& entries, const QList<int>& first)
{
    ChoiceList front;
    ChoiceList rest;
    for (const ChoiceEntry& entry : entries)
        (entry.number && first.contains(*entry.number) ? front : rest) << entry;
    return front + rest;
}

} // namespace vf
