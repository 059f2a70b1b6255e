#include "MapPictures.h"

#include "Error.h"
#include "MapDrawing.h"
#include "Wording.h"
#include "platform/WholeFile.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QSvgGenerator>

namespace vf {

namespace {

void drawWhole(QPaintDevice& device, const WarpMap& map, const MapPicture& picture)
{
    QPainter painter(&device);
    painter.fillRect(QRect(QPoint(), picture.size), mapstyle::kBackground);
    QFont names = painter.font();
    names.setPixelSize(mapstyle::kPictureNamePixels);
    painter.setFont(names);
    paintMap(painter, map, picture.toPicture, mapBounds(map), -1);
}

QByteArray pngOf(const WarpMap& map)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!mapImage(map).save(&buffer, "PNG"))
        throw Error(QStringLiteral("the picture could not be made"));
    return png;
}

} // namespace

QImage mapImage(const WarpMap& map)
{
    const MapPicture picture = wholeMapPicture(map);
    QImage image(picture.size, QImage::Format_RGB32);
    drawWhole(image, map, picture);
    return image;
}

QByteArray mapSvg(const WarpMap& map)
{
    const MapPicture picture = wholeMapPicture(map);
    QByteArray svg;
    QBuffer buffer(&svg);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(picture.size);
    generator.setViewBox(QRect(QPoint(), picture.size));
    generator.setTitle(QStringLiteral("Warp Map"));
    drawWhole(generator, map, picture);
    return svg;
}

void saveMapPicture(const WarpMap& map, const QString& path)
{
    try {
        const bool svg = path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
        writeFileWhole(path, svg ? mapSvg(map) : pngOf(map));
    } catch (const Error& error) {
        throw Error(QStringLiteral("The warp map could not be saved in %1: %2.")
                        .arg(QDir::toNativeSeparators(path), asClause(error.message())));
    }
}

} // namespace vf
