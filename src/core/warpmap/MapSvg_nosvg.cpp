#include "Error.h"
#include "MapPictures.h"

namespace vf {

// A build without Qt SVG saves the map as PNG only.
bool canSaveSvg()
{
    return false;
}

QByteArray mapSvg(const WarpMap&, const MapOverlay&)
{
    throw Error(QStringLiteral("this copy of the program can save the map as a PNG picture only"));
}

} // namespace vf
