#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace vf {

// What one plausibility check of storing found in an order.
struct CheckFinding {
    enum class Kind {
        Refusal,    // storing refuses the order: a population group is missing
        Correction, // storing changes a slot and stores the order
        Warning,    // storing stores the order as it is
    };
    Kind kind;
    int slot;                         // the slot the check reads
    QString sentence;                 // the check's own sentence
    QString action;                   // corrections and warnings: what storing does about it
    std::optional<QString> corrected; // corrections: the slot's new text

    // The message storing shows for it.
    QString message() const;
};

// The plausibility checks of storing, in their order, over an order's code as typed and its
// slots as they stand (the code compared in upper case): the first refusal alone when one
// fires; else every correction and warning. No check reads a slot another one corrects.
QList<CheckFinding> plausibilityChecks(const QString& code,
                                       const std::function<QString(int)>& slotText);

// The slots whose picked entries storing turns into identifiers, by the code as typed.
QList<int> slotsConverted(const QString& code);

} // namespace vf
