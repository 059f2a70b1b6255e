#include "MapPlaces.h"

#include "MapLayout.h"
#include "store/Store.h"

#include <QRectF>
#include <QStringList>
#include <QTextStream>

namespace vf {

namespace {

// The import the places were laid out for, and the way they were laid out (a layout changed
// in a later version lays the map out anew).
QString stamp(const QDateTime& import)
{
    constexpr int kLayoutVersion = 1;
    return QStringLiteral("%1 %2").arg(kLayoutVersion).arg(import.toString(Qt::ISODateWithMs));
}

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

} // namespace

bool readKeptPlaces(const Store& store, int empireId, const QDateTime& import, WarpMap& map)
{
    const QString kept = store.setting(Setting::mapPlaces(empireId));
    const QStringList lines = kept.split(QLatin1Char('\n'));
    if (!import.isValid() || lines.size() != map.stars.size() + 1 || lines[0] != stamp(import))
        return false;
    QList<QPointF> places;
    places.reserve(map.stars.size());
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype space = lines[i].indexOf(QLatin1Char(' '));
        bool xRead = false;
        bool yRead = false;
        const double x = QStringView(lines[i]).left(space).toDouble(&xRead);
        const double y = QStringView(lines[i]).mid(space + 1).toDouble(&yRead);
        if (space < 0 || !xRead || !yRead)
            return false;
        places << QPointF(x, y);
    }
    for (qsizetype i = 0; i < places.size(); ++i)
        map.stars[i].at = places[i];
    return true;
}

void keepPlaces(const Store& store, int empireId, const QDateTime& import, const WarpMap& map)
{
    QStringList lines{stamp(import)};
    lines.reserve(map.stars.size() + 1);
    for (const MapStar& star : map.stars)
        lines << QString::number(star.at.x(), 'f', 2) + QLatin1Char(' ') +
                     QString::number(star.at.y(), 'f', 2);
    store.setSetting(Setting::mapPlaces(empireId), lines.join(QLatin1Char('\n')));
}

MapViewPlace readViewPlace(const Store& store, int empireId)
{
    const QStringList parts = store.setting(Setting::mapView(empireId)).split(QLatin1Char(' '));
    if (parts.size() != 3)
        return {};
    bool read[3] = {};
    const MapViewPlace place{{parts[0].toDouble(&read[0]), parts[1].toDouble(&read[1])},
                             parts[2].toDouble(&read[2])};
    if (!read[0] || !read[1] || !read[2] || !(place.scale > 0))
        return {};
    return place;
}

void keepViewPlace(const Store& store, int empireId, const MapViewPlace& place)
{
    const auto exact = [](double value) { return QString::number(value, 'g', 17); };
    store.setSetting(Setting::mapView(empireId), exact(place.centre.x()) + QLatin1Char(' ') +
                                                     exact(place.centre.y()) + QLatin1Char(' ') +
                                                     exact(place.scale));
}

QByteArray mapSvg(const WarpMap& map)
{
    const QRectF bounds = mapBounds(map);
    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"%1 %2 %3 %4\" "
                          "width=\"%3\" height=\"%4\" font-family=\"sans-serif\" "
                          "font-size=\"10\">\n")
               .arg(bounds.x())
               .arg(bounds.y())
               .arg(bounds.width())
               .arg(bounds.height())
        << "<rect x=\"" << bounds.x() << "\" y=\"" << bounds.y() << "\" width=\"" << bounds.width()
        << "\" height=\"" << bounds.height() << "\" fill=\"white\"/>\n"
        << "<g stroke=\"#7a8aa6\" stroke-width=\"1\">\n";
    for (const MapLink& link : map.links) {
        const QPointF a = map.stars[link.from].at;
        const QPointF b = map.stars[link.to].at;
        out << "<line x1=\"" << a.x() << "\" y1=\"" << a.y() << "\" x2=\"" << b.x() << "\" y2=\""
            << b.y() << "\"/>\n";
    }
    out << "</g>\n<g stroke=\"#b07030\" stroke-dasharray=\"3 2\">\n";
    constexpr double kStub = 18;
    for (std::size_t i = 0; i < map.stubs.size(); ++i) {
        const QPointF a = map.stars[map.stubs[i].star].at;
        const QPointF b = a + map.stubs[i].direction * kStub;
        out << "<line x1=\"" << a.x() << "\" y1=\"" << a.y() << "\" x2=\"" << b.x() << "\" y2=\""
            << b.y() << "\"/><text x=\"" << b.x() << "\" y=\"" << b.y()
            << "\" stroke=\"none\" fill=\"#b07030\">?</text>\n";
    }
    out << "</g>\n";
    for (const MapStar& star : map.stars) {
        if (star.populationGroups > 0)
            out << "<circle cx=\"" << star.at.x() << "\" cy=\"" << star.at.y()
                << "\" r=\"6\" fill=\"none\" stroke=\"#2e8b57\" stroke-width=\"2\"/>\n";
        out << "<circle cx=\"" << star.at.x() << "\" cy=\"" << star.at.y()
            << "\" r=\"3\" fill=\"#203050\"/>\n<text x=\"" << star.at.x() + 8 << "\" y=\""
            << star.at.y() + 4 << "\">" << escaped(star.name);
        if (star.populationGroups > 0)
            out << " (" << star.populationGroups << ")";
        out << "</text>\n";
    }
    out << "</svg>\n";
    out.flush();
    return svg.toUtf8();
}

} // namespace vf
