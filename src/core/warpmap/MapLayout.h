#pragma once

#include "warpmap/WarpMap.h"

#include <functional>

namespace vf {

// Tells how far the layout is (stars placed of all) and whether to go on: false stops it.
using LayoutProgress = std::function<bool(int placed, int total)>;

// Lays the stars out: each island (stars joined by warp points) by force-directed placement
// from places drawn with a fixed seed, so the same turn data always gives the same map; the
// islands side by side, the largest first, in rows. False when stopped (the places are then
// unfinished).
bool layOutMap(WarpMap& map, const LayoutProgress& progress = {});

// The distance between two stars joined by a warp point, about, in the map's own units.
inline constexpr double kStarSpacing = 60.0;

} // namespace vf
