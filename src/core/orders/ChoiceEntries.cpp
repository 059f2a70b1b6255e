#include "ChoiceEntries.h"

#include "TurnData.h"

#include <algorithm>

namespace vf::entrytext {

QString fleet(int id, const QString& name)
{
    return QString::number(id) + QLatin1Char(' ') + name;
}

QString army(int id, const QString& name)
{
    return QString::number(id) + QLatin1Char(' ') + name;
}

QString commander(const QString& rank, const QString& name, int id)
{
    return rank + QLatin1Char(' ') + name + QStringLiteral(" # ") + QString::number(id);
}

QString populationGroup(int id, const QString& system, const QString& orbit)
{
    return QString::number(id) + QStringLiteral(" (") + system + QLatin1Char('-') + orbit +
           QLatin1Char(')');
}

QString warpPoint(int id, const QString& star, const QString& destination)
{
    const QString last = destination.right(1);
    if (destination.startsWith(QLatin1Char('?')))
        return QString::number(id) + QStringLiteral("           [ ") + last + QStringLiteral(" ]");
    return QString::number(id) + QLatin1Char(' ') + star + QStringLiteral(" -") + last +
           QStringLiteral("- ") + destination.chopped(last.size());
}

} // namespace vf::entrytext

namespace vf {

bool TurnData::holds(RecordKind kind, int number, const QString& star) const
{
    ChoiceList records;
    switch (kind) {
    case RecordKind::Fleet:
        records = fleets();
        break;
    case RecordKind::Army:
        records = armies();
        break;
    case RecordKind::PopulationGroup:
        records = populationGroups();
        break;
    case RecordKind::Commander:
        records = commanders();
        break;
    case RecordKind::WarpPoint:
        records = warpPointsOf(star);
        break;
    }
    return std::any_of(records.cbegin(), records.cend(),
                       [number](const ChoiceEntry& entry) { return entry.number == number; });
}

} // namespace vf
