#include "MapPlaces.h"

#include "store/Store.h"

#include <QStringList>

namespace vf {

namespace {

// The import the places were laid out for, and the way they were laid out (a layout changed
// in a later version lays the map out anew).
QString stamp(const QDateTime& import)
{
    constexpr int kLayoutVersion = 1;
    return QStringLiteral("%1 %2").arg(kLayoutVersion).arg(import.toString(Qt::ISODateWithMs));
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

} // namespace vf
