#pragma once

#include "warpmap/MapDrawing.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QTransform>

class QPaintDevice;

namespace vf {

// The whole map as a picture: one unit of the map a pixel, no larger than 4,000 pixels a side
// (a picture of 64 MB at most while it is drawn).
struct MapPicture {
    QSize size;
    QTransform toPicture;
};
MapPicture wholeMapPicture(const WarpMap& map);
// The whole map drawn onto a picture of that size, on white, names in a picture's size.
void drawWholeMap(QPaintDevice& device, const WarpMap& map, const MapPicture& picture,
                  const MapOverlay& overlay = {});

// The whole warp map drawn as the window draws it (see paintMap), into a PNG or an SVG.
QImage mapImage(const WarpMap& map, const MapOverlay& overlay = {});
QByteArray mapSvg(const WarpMap& map, const MapOverlay& overlay = {});
// Whether this build writes SVG (it needs Qt SVG; without it mapSvg throws vf::Error).
bool canSaveSvg();

// Saves the map as a picture, PNG or SVG by the name's ending (PNG when it has neither), as a
// file written whole. Throws vf::Error naming the file and the cause.
void saveMapPicture(const WarpMap& map, const QString& path, const MapOverlay& overlay = {});

} // namespace vf
