#pragma once

#include <QString>
#include <array>

namespace vf {

inline constexpr int kSlotCount = 51;

// One order as stored: its code and its 51 field slots (slot k at index k-1). A slot may
// hold a null text when an older database left it without a value.
struct Order {
    int priority = 0;
    QString code;
    std::array<QString, kSlotCount> slots;
};

} // namespace vf
