#include "MapPictures.h"

#include "Error.h"
#include "MapDrawing.h"
#include "Wording.h"
#include "platform/WholeFile.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>

namespace vf {

namespace {

QByteArray pngOf(const WarpMap& map, const MapOverlay& overlay)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!mapImage(map, overlay).save(&buffer, "PNG"))
        throw Error(QStringLiteral("the picture could not be made"));
    return png;
}

} // namespace

QImage mapImage(const WarpMap& map, const MapOverlay& overlay)
{
    const MapPicture picture = wholeMapPicture(map);
    QImage image(picture.size, QImage::Format_RGB32);
    drawWholeMap(image, map, picture, overlay);
    return image;
}

void saveMapPicture(const WarpMap& map, const QString& path, const MapOverlay& overlay)
{
    try {
        const bool svg = path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
        writeFileWhole(path, svg ? mapSvg(map, overlay) : pngOf(map, overlay));
    } catch (const Error& error) {
        throw Error(QStringLiteral("The warp map could not be saved in %1: %2.")
                        .arg(QDir::toNativeSeparators(path), asClause(error.message())));
    }
}

} // namespace vf
