#pragma once

#include "warpmap/Route.h"

class QWidget;

namespace vf {

struct AppContext;

// Order This Route: asks for the fleet (those the turn data places at the route's first star
// first) and how many of the jumps to order this turn (all at first), then stores one MOVE a
// jump as order entry would store it; what the checks tell is shown once, and the player may
// still stop there. Nothing is stored when the player cancels. Says how many were stored, at
// which priorities.
void orderRoute(AppContext& context, int empireId, const WarpMap& map, const Route& route,
                QWidget* over);

} // namespace vf
