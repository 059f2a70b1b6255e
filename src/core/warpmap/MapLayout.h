#pragma once

#include "model/Progress.h"
#include "warpmap/WarpMap.h"

namespace vf {

// Lays the stars out: each island (stars joined by warp points) by force-directed placement
// from places drawn with a fixed seed, so the same turn data always gives the same map; the
// islands side by side, the largest first, in rows. Tells how far it is in stars placed of
// all. False when stopped (the places are then unfinished).
bool layOutMap(WarpMap& map, const Progress& progress = {});

// The distance between two stars joined by a warp point, about, in the map's own units.
inline constexpr double kStarSpacing = 60.0;

} // namespace vf
