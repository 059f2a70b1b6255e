#include "MapDrawing.h"
#include "MapPictures.h"

#include <QBuffer>
#include <QSvgGenerator>

namespace vf {

bool canSaveSvg()
{
    return true;
}

QByteArray mapSvg(const WarpMap& map, const MapOverlay& overlay)
{
    const MapPicture picture = wholeMapPicture(map);
    QByteArray svg;
    QBuffer buffer(&svg);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(picture.size);
    generator.setViewBox(QRect(QPoint(), picture.size));
    generator.setTitle(QStringLiteral("Warp Map"));
    drawWholeMap(generator, map, picture, overlay);
    return svg;
}

} // namespace vf
