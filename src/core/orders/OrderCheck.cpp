#include "OrderCheck.h"

#include "MemoryOrderForm.h"
#include "OrderCatalogue.h"
#include "OrderChecks.h"
#include "SlotFocusRules.h"
#include "TurnData.h"
#include "model/ImportStamp.h"

#include <QMap>
#include <QSet>

#include <algorithm>
#include <optional>

namespace vf {

namespace {

// The turn data's sources, by the mark their stand-in entries carry.
enum Source {
    Fleets,
    StarNames,
    Items,
    Commanders,
    PopulationGroups,
    ShipClasses,
    Installations,
    Armies,
    BattlePlans,
    ResearchableItems,
    ConvoyRoutes,
    WarpPoints,
    OrbitalLocations,
};

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

// The pick-lists the slots of the stored order offer when each gets the focus in turn, from
// slot 1 up, as the order entry window builds them (a list may be built when an earlier slot
// gets the focus). Every focus sees the slots as stored.
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

// What a slot's pick-list is made of.
struct SlotSources {
    unsigned sources = 0;     // a bit for each source
    bool identifiers = false; // entries of the turn data carry identifiers
};

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

// The sources a stored value must be found in: star names and orbits may name what the turn
// data does not know yet.
bool namesTurnData(const SlotSources& slot)
{
    return (slot.sources & ~((1U << StarNames) | (1U << OrbitalLocations))) != 0;
}

bool isBlank(const QString& text)
{
    return text.trimmed().isEmpty();
}

// Whether the list offers the stored value: an identifier by its number, anything else by
// its text (letter case aside, as the old database compared).
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

// The slot a slot's list depends on: for the warp points of one star, the nearest slot before
// it that offers the star names (the star the list was read for).
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

QString slotName(const CatalogueEntry& entry, int slot)
{
    return catalogue::slotName(entry.prompts.value(slot - 1), slot);
}

// The identifier slots storing fills that the order cannot do without: the first; with a
// pair (from and to, fleet and warp point), both.
QList<int> requiredIdentifierSlots(const Order& order, const QList<SlotSources>& sources)
{
    const QList<int> converted = slotsConverted(order.code);
    QList<int> identifierSlots;
    for (const int slot : converted) {
        if (slot <= sources.size() && sources[slot - 1].identifiers)
            identifierSlots << slot;
    }
    const bool pair = converted == QList<int>{1, 2} || converted == QList<int>{1, 3};
    return identifierSlots.mid(0, pair ? 2 : 1);
}

OrderFinding findingFor(const Order& order, OrderFinding::Severity severity, int slot,
                        QString problem, QString fix)
{
    return {severity, order.id,           order.priority, order.code,
            slot,     std::move(problem), std::move(fix), QString()};
}

// What storing itself would refuse, correct or question.
void storingChecks(const Order& order, QList<OrderFinding>& findings)
{
    const auto slotText = [&order](int slot) { return order.slots[slot - 1]; };
    for (const CheckFinding& found : plausibilityChecks(order.code, slotText)) {
        if (found.kind == CheckFinding::Kind::Refusal)
            findings << findingFor(order, OrderFinding::Severity::Error, found.slot, found.sentence,
                                   QStringLiteral("Enter the Population Group # in slot %1 in "
                                                  "Edit Orders.")
                                       .arg(found.slot));
        else
            findings << findingFor(order, OrderFinding::Severity::Note, found.slot, found.sentence,
                                   found.corrected ? QStringLiteral("Storing it would have put "
                                                                    "\"%1\" in slot %2.")
                                                         .arg(*found.corrected)
                                                         .arg(found.slot)
                                                   : found.action);
    }
}

} // namespace

QList<SlotUse> slotsTaking(RecordKind kind)
{
    static const Source sourceOf[] = {Fleets, Armies, PopulationGroups, Commanders, WarpPoints};
    const unsigned wanted = 1U << sourceOf[int(kind)];
    QList<SlotUse> uses;
    for (const QString& code : catalogue::chooserCodes()) {
        const CatalogueEntry* entry = catalogue::find(code);
        Order blank;
        blank.code = code;
        const QList<SlotSources> sources = sourcesOf(blank, entry->slotCount);
        for (int slot = 1; slot <= sources.size(); ++slot) {
            if (sources[slot - 1].sources & wanted) {
                uses << SlotUse{code, slot, starSlotFor(sources, slot).value_or(0)};
                break;
            }
        }
    }
    return uses;
}

int OrderCheckReport::failingOrders() const
{
    QSet<qint64> failing;
    for (const OrderFinding& finding : findings) {
        if (finding.severity == OrderFinding::Severity::Error)
            failing.insert(finding.orderId);
    }
    return int(failing.size());
}

OrderChecker::OrderChecker(const TurnData& turnData, QDateTime lastImport)
    : m_turnData(turnData)
    , m_lastImport(std::move(lastImport))
{
}

OrderCheckReport OrderChecker::check(const QList<Order>& orders) const
{
    OrderCheckReport report;
    report.orders = int(orders.size());
    QMap<int, const Order*> firstAt;
    for (const Order& order : orders) {
        checkOrder(order, report.findings);
        if (const Order* earlier = firstAt.value(order.priority)) {
            report.findings << findingFor(
                order, OrderFinding::Severity::Warning, 0,
                QStringLiteral("Priority %1 is also the priority of the %2 order: which of the two "
                               "comes first in the orders file is not fixed.")
                    .arg(order.priority)
                    .arg(earlier->code),
                QStringLiteral("Give one of them another Priority in Edit Orders."));
        } else {
            firstAt.insert(order.priority, &order);
        }
    }
    return report;
}

void OrderChecker::checkOrder(const Order& order, QList<OrderFinding>& findings) const
{
    if (!catalogue::find(order.code) && order.code != QLatin1String("RTL")) {
        const CatalogueEntry* asWritten = catalogue::find(order.code.trimmed().toUpper());
        findings << findingFor(
            order, OrderFinding::Severity::Error, 0,
            QStringLiteral("\"%1\" is not an order code.").arg(order.code),
            asWritten ? QStringLiteral("Enter it again as %1 in Order Entry: stored as it is, "
                                       "its picked entries were not turned into numbers.")
                            .arg(asWritten->code)
                      : QStringLiteral("Correct the code in Edit Orders, or delete the order."));
        return;
    }
    const qsizetype first = findings.size();
    storingChecks(order, findings);
    checkSlots(order, findings);
    std::stable_sort(
        findings.begin() + first, findings.end(), [](const OrderFinding& a, const OrderFinding& b) {
            return std::pair(a.slot, int(a.severity)) < std::pair(b.slot, int(b.severity));
        });
}

void OrderChecker::checkSlots(const Order& order, QList<OrderFinding>& findings) const
{
    const CatalogueEntry* entry = catalogue::find(order.code);
    if (!entry)
        return;
    // Past the last slot that holds something, only the slots storing converts can matter.
    const QList<int> converted = slotsConverted(order.code);
    int lastSlot = converted.isEmpty() ? 0 : converted.last();
    for (int slot = 1; slot <= entry->slotCount; ++slot) {
        if (!isBlank(order.slots[slot - 1]))
            lastSlot = std::max(lastSlot, slot);
    }
    lastSlot = std::min(lastSlot, entry->slotCount);
    const QList<SlotSources> sources = sourcesOf(order, lastSlot);
    const QList<int> required = requiredIdentifierSlots(order, sources);
    const auto refused = [&findings, &order](int slot) {
        return std::any_of(findings.begin(), findings.end(), [&](const OrderFinding& f) {
            return f.orderId == order.id && f.slot == slot &&
                   f.severity == OrderFinding::Severity::Error;
        });
    };
    QList<int> toLookUp;
    for (int slot = 1; slot <= lastSlot; ++slot) {
        if (!isBlank(order.slots[slot - 1])) {
            if (namesTurnData(sources[slot - 1]))
                toLookUp << slot;
        } else if (required.contains(slot) && !refused(slot)) {
            findings << findingFor(order, OrderFinding::Severity::Error, slot,
                                   QStringLiteral("%1 is missing.").arg(slotName(*entry, slot)),
                                   QStringLiteral("Enter it in slot %1 in Edit Orders.").arg(slot));
        }
    }
    if (toLookUp.isEmpty())
        return;
    const QList<ChoiceList> lists = pickLists(order, toLookUp.last(), m_turnData);
    for (const int slot : toLookUp) {
        const QString value = order.slots[slot - 1];
        if (offers(lists[slot - 1], value))
            continue;
        // A list read for the star of another slot: an empty or unknown star is what is wrong.
        if (const std::optional<int> star = starSlotFor(sources, slot)) {
            const QString starName = order.slots[*star - 1].trimmed();
            if (starName.isEmpty() || !offers(lists[*star - 1], starName)) {
                const QString looked = QStringLiteral("%1 \"%2\" is looked up at that star")
                                           .arg(slotName(*entry, slot), value.trimmed());
                findings << findingFor(
                    order, OrderFinding::Severity::Error, *star,
                    starName.isEmpty()
                        ? QStringLiteral("%1 is missing, and %2.")
                              .arg(slotName(*entry, *star), looked)
                        : QStringLiteral("%1 \"%2\" is not in the turn data %3, and %4.")
                              .arg(slotName(*entry, *star), starName, whenImported(), looked),
                    QStringLiteral("Enter the star in slot %1 in Edit Orders.").arg(*star));
                continue;
            }
        }
        findings << findingFor(
            order, OrderFinding::Severity::Error, slot,
            QStringLiteral("%1 \"%2\" is not in the turn data %3.")
                .arg(slotName(*entry, slot), value.trimmed(), whenImported()),
            QStringLiteral("The order may have been entered before the latest Update Data: "
                           "change or delete it in Edit Orders."));
    }
}

QString OrderChecker::whenImported() const
{
    if (!m_lastImport.isValid())
        return QStringLiteral("(no turn results file has been imported for this empire)");
    return QStringLiteral("imported on %1").arg(shownTime(m_lastImport));
}

} // namespace vf
