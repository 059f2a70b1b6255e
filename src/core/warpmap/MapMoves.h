#pragma once

#include "MapDrawing.h"
#include "model/Order.h"

#include <QList>

namespace vf {

// This turn's MOVE and XMOVE orders as the map draws them: each along the warp point it
// names, from the star it names; one whose star or warp point the turn data does not hold
// (or whose warp point is not at that star) is drawn nowhere, and counted.
struct MovesOnMap {
    std::vector<MapMove> drawn;
    int notOnMap = 0;
};
MovesOnMap movesOnMap(const WarpMap& map, const QList<Order>& orders);

} // namespace vf
