#pragma once

#include "warpmap/WarpMap.h"

#include <QDateTime>

namespace vf {

// The places of a map's stars are kept with the import they were laid out for: the map of an
// import opens at once after the first time.
// True when the places kept for this import were put on the map's stars.
bool readKeptPlaces(const Store& store, int empireId, const QDateTime& import, WarpMap& map);
void keepPlaces(const Store& store, int empireId, const QDateTime& import, const WarpMap& map);

// Where the player last looked at the empire's map: its centre and its scale (pixels per unit
// of the map); a scale of 0 when never.
struct MapViewPlace {
    QPointF centre;
    double scale = 0;
};
MapViewPlace readViewPlace(const Store& store, int empireId);
void keepViewPlace(const Store& store, int empireId, const MapViewPlace& place);

} // namespace vf
