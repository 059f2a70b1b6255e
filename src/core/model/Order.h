#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

namespace vf {

inline constexpr int kSlotCount = 51;

// One order as stored: its code and its 51 field slots (slot k at index k-1). A slot may
// hold a null text when an older database left it without a value.
struct Order {
    qint64 id = 0; // the row's key in the database, never shown nor written out
    int priority = 0;
    QString code;
    std::array<QString, kSlotCount> slots;
};

} // namespace vf
