#pragma once

#include "warpmap/MapDrawing.h"

#include <QByteArray>
#include <QImage>

namespace vf {

// The whole warp map drawn as the window draws it (see paintMap), into a PNG or an SVG.
QImage mapImage(const WarpMap& map, const MapOverlay& overlay = {});
QByteArray mapSvg(const WarpMap& map, const MapOverlay& overlay = {});
// Whether this build writes SVG (it needs Qt SVG; without it mapSvg throws vf::Error).
bool canSaveSvg();

// Saves the map as a picture, PNG or SVG by the name's ending (PNG when it has neither), as a
// file written whole. Throws vf::Error naming the file and the cause.
void saveMapPicture(const WarpMap& map, const QString& path, const MapOverlay& overlay = {});

} // namespace vf
