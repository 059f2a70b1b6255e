#pragma once

#include <QString>

namespace vf {

// The kinds of records of the turn data an order names by number: what a row of Turn Data,
// a warp point of the map or a slot's pick-list offers.
enum class RecordKind { Fleet, Army, PopulationGroup, Commander, WarpPoint };

// "Fleet # 502", "Warp Point # 22": a record as the player reads it.
inline QString recordLabel(RecordKind kind, int number)
{
    const char* names[] = {"Fleet", "Army", "Population Group", "Commander", "Warp Point"};
    return QStringLiteral("%1 # %2").arg(QLatin1String(names[int(kind)])).arg(number);
}

} // namespace vf
