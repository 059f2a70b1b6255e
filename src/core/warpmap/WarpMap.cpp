#include "WarpMap.h"

#include "store/Store.h"
#include "turndata/ShownTables.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vf {

namespace {

// The column of a further field, by its name in any letter case; -1 when the file had none.
qsizetype furtherColumn(const TableRows& rows, const QString& name)
{
    for (qsizetype column = rows.table->columns.size(); column < rows.columns.size(); ++column) {
        if (rows.columns[column].heading.compare(name, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

// Where each fleet is, when the file says: its further field "Location".
QStringList fleetLocations(const Store& store, int empireId)
{
    const TableRows fleets = readShownTable(store, empireId, shownTable(RecordKind::Fleet));
    const qsizetype location = furtherColumn(fleets, QStringLiteral("Location"));
    QStringList where;
    if (location < 0)
        return where;
    for (const QStringList& row : fleets.rows)
        where << row.value(location);
    return where;
}

bool byName(const QString& a, const QString& b)
{
    const int order = a.compare(b, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
}

// The stubs of one star share the circle, starting at a slant.
void pointStubs(WarpMap& map)
{
    QHash<int, int> count;
    for (const MapStub& stub : map.stubs)
        ++count[stub.star];
    QHash<int, int> drawn;
    for (MapStub& stub : map.stubs) {
        const double angle = std::numbers::pi / 4 +
                             2 * std::numbers::pi * drawn[stub.star]++ / count.value(stub.star);
        stub.direction = {std::cos(angle), std::sin(angle)};
    }
}

} // namespace

QRectF boundsOf(const QList<QPointF>& points)
{
    if (points.isEmpty())
        return {};
    double left = points[0].x();
    double right = left;
    double top = points[0].y();
    double bottom = top;
    for (const QPointF& at : points) {
        left = std::min(left, at.x());
        right = std::max(right, at.x());
        top = std::min(top, at.y());
        bottom = std::max(bottom, at.y());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QRectF mapBounds(const WarpMap& map, const std::vector<bool>& only)
{
    QList<QPointF> places;
    places.reserve(map.stars.size());
    for (qsizetype i = 0; i < map.stars.size(); ++i) {
        if (only.empty() || (std::size_t(i) < only.size() && only[std::size_t(i)]))
            places << map.stars[i].at;
    }
    // Names are written to the right of their stars.
    constexpr double kRoom = 60;
    return boundsOf(places).adjusted(-kRoom, -kRoom, kRoom * 2, kRoom);
}

QString destinationStar(const QString& destination)
{
    if (destination.size() < 2 || destination.startsWith(QLatin1Char('?')))
        return {};
    return destination.chopped(1);
}

int WarpMap::indexOf(const QString& name) const
{
    const auto it = std::lower_bound(stars.begin(), stars.end(), name,
                                     [](const MapStar& star, const QString& wanted) {
                                         return star.name.compare(wanted, Qt::CaseInsensitive) < 0;
                                     });
    if (it == stars.end() || it->name.compare(name, Qt::CaseInsensitive) != 0)
        return -1;
    return int(it - stars.begin());
}

int WarpMap::firstStartingWith(const QString& text) const
{
    if (text.isEmpty())
        return -1;
    const auto it = std::lower_bound(stars.begin(), stars.end(), text,
                                     [](const MapStar& star, const QString& wanted) {
                                         return star.name.compare(wanted, Qt::CaseInsensitive) < 0;
                                     });
    if (it == stars.end() || !it->name.startsWith(text, Qt::CaseInsensitive))
        return -1;
    return int(it - stars.begin());
}

int WarpMap::bestMatch(const QString& text) const
{
    if (const int first = firstStartingWith(text); first >= 0 || text.isEmpty())
        return first;
    const auto it = std::find_if(stars.begin(), stars.end(), [&text](const MapStar& star) {
        return star.name.contains(text, Qt::CaseInsensitive);
    });
    return it == stars.end() ? -1 : int(it - stars.begin());
}

WarpMap readWarpMap(const Store& store, int empireId)
{
    struct WarpRow {
        int id;
        QString from;
        QString to;
    };
    std::vector<WarpRow> warpPoints;
    QStringList names;
    store.eachRow(QStringLiteral("SELECT StarName FROM \"System Names\" WHERE EmpireID = ?"),
                  {empireId}, [&](const StoredRow& row) { names << row.text(0); });
    store.eachRow(
        QStringLiteral("SELECT WarpPointID, StarName, DestinationStarName FROM \"Warp "
                       "Points\" WHERE EmpireID = ? ORDER BY rowid"),
        {empireId}, [&](const StoredRow& row) {
            warpPoints.push_back({int(row.number(0)), row.text(1), destinationStar(row.text(2))});
            names << warpPoints.back().from << warpPoints.back().to;
        });
    QStringList populated;
    store.eachRow(QStringLiteral("SELECT SystemName FROM \"Population Groups\" WHERE EmpireID = ?"),
                  {empireId}, [&](const StoredRow& row) { populated << row.text(0); });
    const QStringList fleetsAt = fleetLocations(store, empireId);
    names << populated << fleetsAt;

    // One star per name, any letter case; the first spelling met is kept.
    WarpMap map;
    QHash<QString, int> known;
    for (const QString& name : names) {
        const QString key = name.trimmed().toCaseFolded();
        if (key.isEmpty() || known.contains(key))
            continue;
        known.insert(key, 0);
        map.stars << MapStar{name.trimmed(), {}, 0, 0};
    }
    std::sort(map.stars.begin(), map.stars.end(),
              [](const MapStar& a, const MapStar& b) { return byName(a.name, b.name); });
    for (int i = 0; i < map.stars.size(); ++i)
        known[map.stars[i].name.toCaseFolded()] = i;
    const auto star = [&known](const QString& name) {
        return known.value(name.trimmed().toCaseFolded(), -1);
    };
    for (const QString& name : populated) {
        if (const int at = star(name); at >= 0)
            ++map.stars[at].populationGroups;
    }
    for (const QString& name : fleetsAt) {
        if (const int at = star(name); at >= 0)
            ++map.stars[at].fleets;
    }
    for (const WarpRow& warp : warpPoints) {
        const int from = star(warp.from);
        if (from < 0)
            continue;
        const int to = star(warp.to);
        if (to < 0) {
            map.stubs.push_back({from, warp.id, {}});
            continue;
        }
        map.warpPoints.push_back({from, warp.id, to});
        if (to != from)
            map.links.push_back({std::min(from, to), std::max(from, to)});
    }
    pointStubs(map);
    std::sort(map.links.begin(), map.links.end(), [](const MapLink& a, const MapLink& b) {
        return std::pair(a.from, a.to) < std::pair(b.from, b.to);
    });
    map.links.erase(std::unique(map.links.begin(), map.links.end()), map.links.end());
    return map;
}

namespace {

// Each row of the fleets the turn data places at the star, when it says where fleets are.
template <typename Visit>
void eachFleetAt(const Store& store, int empireId, const QString& star, Visit visit)
{
    const TableRows fleets = readShownTable(store, empireId, shownTable(RecordKind::Fleet));
    const qsizetype location = furtherColumn(fleets, QStringLiteral("Location"));
    for (const QStringList& row : fleets.rows) {
        if (location >= 0 && row.value(location).compare(star, Qt::CaseInsensitive) == 0)
            visit(*fleets.table, row);
    }
}

} // namespace

StarDetails starDetails(const Store& store, int empireId, const QString& star)
{
    StarDetails details;
    store.eachRow(QStringLiteral("SELECT WarpPointID, DestinationStarName FROM \"Warp Points\" "
                                 "WHERE EmpireID = ? AND StarName = ? COLLATE ANYCASE "
                                 "ORDER BY WarpPointID"),
                  {empireId, star}, [&](const StoredRow& row) {
                      details.warpPoints << StarDetails::WarpPoint{int(row.number(0)),
                                                                   shownDestination(row.text(1))};
                  });
    store.eachRow(QStringLiteral("SELECT OrbitalLocation FROM \"Orbital Locations\" WHERE "
                                 "EmpireID = ? AND StarName = ? COLLATE ANYCASE ORDER BY rowid"),
                  {empireId, star}, [&](const StoredRow& row) { details.orbits << row.text(0); });
    store.eachRow(QStringLiteral("SELECT PopulationGroupID, OrbitalLocation FROM \"Population "
                                 "Groups\" WHERE EmpireID = ? AND SystemName = ? COLLATE ANYCASE "
                                 "ORDER BY PopulationGroupID"),
                  {empireId, star}, [&](const StoredRow& row) {
                      details.populationGroups << StarDetails::Record{
                          int(row.number(0)), QStringLiteral("Population Group # %1 (orbit %2)")
                                                  .arg(row.number(0))
                                                  .arg(row.text(1))};
                  });
    eachFleetAt(store, empireId, star, [&](const ShownTable& table, const QStringList& row) {
        details.fleets << StarDetails::Record{row.value(table.keyColumn()).toInt(),
                                              rowLabel(table, row)};
    });
    return details;
}

QList<int> fleetsAt(const Store& store, int empireId, const QString& star)
{
    QList<int> numbers;
    eachFleetAt(store, empireId, star, [&](const ShownTable& table, const QStringList& row) {
        numbers << row.value(table.keyColumn()).toInt();
    });
    return numbers;
}

} // namespace vf
