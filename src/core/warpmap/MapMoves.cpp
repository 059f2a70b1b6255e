#include "MapMoves.h"

#include <QHash>
#include <QRegularExpression>

#include <optional>

namespace vf {

namespace {

// The whole number a slot begins with ("12", "12 Home Guard"); nothing when it begins
// otherwise.
std::optional<int> leadingNumber(const QString& slot)
{
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d{1,9})(\\s|$)"));
    const QRegularExpressionMatch match = number.match(slot);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt();
}

} // namespace

MovesOnMap movesOnMap(const WarpMap& map, const QList<Order>& orders)
{
    MovesOnMap moves;
    // Each warp point by its star and number, looked up once an order.
    QHash<quint64, const MapWarpPoint*> warpPoints;
    const auto key = [](int star, int id) { return (quint64(quint32(star)) << 32) | quint32(id); };
    for (const MapWarpPoint& warp : map.warpPoints)
        warpPoints.insert(key(warp.star, warp.id), &warp);
    for (const Order& order : orders) {
        const QString code = order.code.trimmed().toUpper();
        if (code != QLatin1String("MOVE") && code != QLatin1String("XMOVE"))
            continue;
        const int star = map.indexOf(order.slots[1].trimmed());
        const std::optional<int> warpPoint = leadingNumber(order.slots[2]);
        const MapWarpPoint* used =
            star >= 0 && warpPoint ? warpPoints.value(key(star, *warpPoint)) : nullptr;
        if (!used) {
            ++moves.notOnMap;
            continue;
        }
        moves.drawn.push_back({used->star, used->to, leadingNumber(order.slots[0]).value_or(0)});
    }
    return moves;
}

} // namespace vf
