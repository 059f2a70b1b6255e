#include "MapPictures.h"

#include "Error.h"
#include "MapDrawing.h"
#include "Wording.h"
#include "platform/WholeFile.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>

#include <algorithm>

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

void drawWholeMap(QPaintDevice& device, const WarpMap& map, const MapPicture& picture,
                  const MapOverlay& overlay)
{
    QPainter painter(&device);
    painter.fillRect(QRect(QPoint(), picture.size), mapstyle::kBackground);
    QFont names = painter.font();
    names.setPixelSize(mapstyle::kPictureNamePixels);
    painter.setFont(names);
    paintMap(painter, map, picture.toPicture, mapBounds(map), -1, overlay);
}

MapPicture wholeMapPicture(const WarpMap& map)
{
    const QRectF bounds = mapBounds(map);
    constexpr double kLargestSide = 4000;
    const double scale =
        std::min(1.0, kLargestSide / std::max({bounds.width(), bounds.height(), 1.0}));
    MapPicture picture;
    picture.size = (bounds.size() * scale).toSize().expandedTo(QSize(1, 1));
    picture.toPicture.scale(scale, scale);
    picture.toPicture.translate(-bounds.left(), -bounds.top());
    return picture;
}

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
