#include "SlotLists.h"

#include "MemoryOrderForm.h"
#include "SlotFocusRules.h"
#include "TurnData.h"

#include <algorithm>

namespace vf::slotlists {

namespace {

// Stands in for the turn data to learn what a slot's pick-list is made of: each source gives
// one entry that names it, with an identifier where the real source attaches one.
class SourceProbe final : public TurnData {
public:
    static std::optional<Source> sourceOf(const ChoiceEntry& entry)
    {
        if (!entry.text.startsWith(kMark))
            return std::nullopt;
        return static_cast<Source>(entry.text.mid(1).toInt());
    }

    ChoiceList fleets() const override { return mark(Fleets, true); }
    ChoiceList starNames() const override { return mark(StarNames, false); }
    ChoiceList items() const override { return mark(Items, false); }
    ChoiceList commanders() const override { return mark(Commanders, true); }
    ChoiceList populationGroups() const override { return mark(PopulationGroups, true); }
    ChoiceList shipClasses() const override { return mark(ShipClasses, false); }
    ChoiceList installations() const override { return mark(Installations, false); }
    ChoiceList armies() const override { return mark(Armies, true); }
    ChoiceList battlePlans() const override { return mark(BattlePlans, false); }
    ChoiceList researchableItems() const override { return mark(ResearchableItems, false); }
    ChoiceList convoyRoutes() const override { return mark(ConvoyRoutes, false); }
    ChoiceList warpPointsOf(const QString&) const override { return mark(WarpPoints, true); }
    ChoiceList orbitalLocationsOf(const QString&) const override
    {
        return mark(OrbitalLocations, false);
    }

private:
    static constexpr QChar kMark = QChar(0x1);
    static ChoiceList mark(Source source, bool identified)
    {
        return {{kMark + QString::number(int(source)),
                 identified ? std::optional<int>(1) : std::nullopt}};
    }
};

} // namespace

QList<ChoiceList> pickLists(const Order& order, int slotCount, const TurnData& data)
{
    MemoryOrderForm form;
    form.setCode(order.code);
    for (int k = 1; k <= kSlotCount; ++k)
        form.setSlotText(k, order.slots[k - 1]);
    SlotFocusRules rules(form, data);
    QList<ChoiceList> lists;
    lists.reserve(slotCount);
    for (int slot = 1; slot <= slotCount; ++slot) {
        rules.onSlotFocus(slot);
        lists << form.choices(slot);
        // The focus may have emptied or filled boxes: they hold the stored text again.
        for (int k = 1; k <= kSlotCount; ++k) {
            if (form.slotText(k).constData() != order.slots[k - 1].constData())
                form.setSlotText(k, order.slots[k - 1]);
        }
    }
    return lists;
}

QList<SlotSources> sourcesOf(const Order& order, int slotCount)
{
    static const SourceProbe probe;
    QList<SlotSources> all;
    for (const ChoiceList& list : pickLists(order, slotCount, probe)) {
        SlotSources found;
        for (const ChoiceEntry& entry : list) {
            if (const auto source = SourceProbe::sourceOf(entry)) {
                found.sources |= 1U << *source;
                found.identifiers = found.identifiers || entry.number.has_value();
            }
        }
        all << found;
    }
    return all;
}

bool namesTurnData(const SlotSources& slot)
{
    return (slot.sources & ~((1U << StarNames) | (1U << OrbitalLocations))) != 0;
}

bool offers(const ChoiceList& list, const QString& value)
{
    bool isNumber = false;
    const int number = value.trimmed().toInt(&isNumber);
    if (isNumber && std::any_of(list.begin(), list.end(), [number](const ChoiceEntry& entry) {
            return entry.number == number;
        }))
        return true;
    return std::any_of(list.begin(), list.end(), [&value](const ChoiceEntry& entry) {
        return entry.text.size() == value.size() &&
               entry.text.compare(value, Qt::CaseInsensitive) == 0;
    });
}

std::optional<int> starSlotFor(const QList<SlotSources>& sources, int slot)
{
    if ((sources[slot - 1].sources & (1U << WarpPoints)) == 0)
        return std::nullopt;
    for (int earlier = slot - 1; earlier >= 1; --earlier) {
        if (sources[earlier - 1].sources & (1U << StarNames))
            return earlier;
    }
    return std::nullopt;
}
std::optional<RecordKind> recordKindOf(const SlotSources& slot)
{
    if (!slot.identifiers)
        return std::nullopt;
    static const std::pair<Source, RecordKind> kinds[] = {
        {Fleets, RecordKind::Fleet},
        {Armies, RecordKind::Army},
        {PopulationGroups, RecordKind::PopulationGroup},
        {Commanders, RecordKind::Commander},
        {WarpPoints, RecordKind::WarpPoint},
    };
    for (const auto& [source, kind] : kinds) {
        if (slot.has(source))
            return kind;
    }
    return std::nullopt;
}

} // namespace vf::slotlists
