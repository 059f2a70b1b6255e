#pragma once

namespace vf {

// The kinds of records of the turn data an order names by number: what a row of Turn Data,
// a warp point of the map or a slot's pick-list offers.
enum class RecordKind { Fleet, Army, PopulationGroup, Commander, WarpPoint };

} // namespace vf
