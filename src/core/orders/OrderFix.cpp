#include "OrderFix.h"

#include "OrderCatalogue.h"
#include "OrderChecks.h"
#include "SlotLists.h"

#include <algorithm>
#include <vector>

namespace vf {

namespace {

using namespace slotlists;

// The value a picked entry leaves in the slot, as storing would leave it.
QString storedValue(const Order& order, int slot, const ChoiceEntry& entry)
{
    if (entry.number && slotsConverted(order.code).contains(slot))
        return QString::number(*entry.number);
    return entry.text;
}

std::optional<int> numberIn(const QString& value)
{
    bool isNumber = false;
    const int number = value.trimmed().toInt(&isNumber);
    return isNumber ? std::optional<int>(number) : std::nullopt;
}

// " to Vega (B)" for destination "VegaB"; one not explored yet is "?" and a number.
QString whereItLeads(const QString& destination)
{
    if (destination.isEmpty())
        return QString();
    if (destination.startsWith(QLatin1Char('?')))
        return QStringLiteral(" to a star not explored yet (%1)").arg(destination);
    return QStringLiteral(" to %1 (%2)").arg(destination.chopped(1), destination.right(1));
}

QList<int> numbersOf(const ChoiceList& list)
{
    QList<int> numbers;
    for (const ChoiceEntry& entry : list) {
        if (entry.number)
            numbers << *entry.number;
    }
    return numbers;
}

// The records of the list, the one that bore the old record's name (or led where it led)
// first, then by number.
QList<FixChoice> recordChoices(const Order& order, int slot, RecordKind kind,
                               const ChoiceList& list, const RecordNamesOf& namesOf)
{
    const std::optional<int> old = numberIn(order.slots[slot - 1]);
    QList<int> numbers = numbersOf(list);
    if (old)
        numbers << *old;
    const QHash<int, QString> names = namesOf(kind, numbers);
    const QString oldName = old ? names.value(*old) : QString();
    const bool warpPoint = kind == RecordKind::WarpPoint;
    struct Ranked {
        bool same;
        int number;
        FixChoice choice;
    };
    std::vector<Ranked> ranked;
    for (const ChoiceEntry& entry : list) {
        if (!entry.number)
            continue;
        const QString name = names.value(*entry.number);
        const bool same = !oldName.isEmpty() && name == oldName;
        QString label = recordLabel(kind, *entry.number);
        label += warpPoint ? whereItLeads(name) : QLatin1Char(' ') + name;
        if (same)
            label +=
                warpPoint ? QStringLiteral(" (same destination)") : QStringLiteral(" (same name)");
        ranked.push_back({same, *entry.number, {label, storedValue(order, slot, entry)}});
    }
    // A star's warp points keep their order (by destination); other records go by number.
    std::stable_sort(ranked.begin(), ranked.end(), [warpPoint](const Ranked& a, const Ranked& b) {
        return a.same != b.same ? a.same : !warpPoint && a.number < b.number;
    });
    QList<FixChoice> choices;
    for (const Ranked& r : ranked)
        choices << r.choice;
    return choices;
}

// How close an entry is to the typed value, closest least: one holding the other (a star
// renamed "Tarsis Prime"), then by the letters apart.
std::pair<int, int> closeness(const QString& typed, const QString& entry)
{
    constexpr qsizetype kShortest = 3;
    const QString& shorter = typed.size() < entry.size() ? typed : entry;
    const QString& longer = typed.size() < entry.size() ? entry : typed;
    const bool holds = shorter.size() >= kShortest && longer.contains(shorter, Qt::CaseInsensitive);
    return {holds ? 0 : 1, nameDistance(typed, entry)};
}

// The entries of the list, the closest to the typed value first.
QList<FixChoice> closestChoices(const Order& order, int slot, const ChoiceList& list)
{
    const QString typed = order.slots[slot - 1].trimmed();
    std::vector<std::pair<std::pair<int, int>, const ChoiceEntry*>> ranked;
    ranked.reserve(std::size_t(list.size()));
    for (const ChoiceEntry& entry : list)
        ranked.emplace_back(typed.isEmpty() ? std::pair(0, 0) : closeness(typed, entry.text),
                            &entry);
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<FixChoice> choices;
    for (const auto& [distance, entry] : ranked)
        choices << FixChoice{entry->text, storedValue(order, slot, *entry)};
    return choices;
}

// A correction storing would have made, as the one choice.
QList<FixChoice> correctionChoices(const OrderFinding& finding, const Order& order)
{
    const auto slotText = [&order](int slot) { return order.slots[slot - 1]; };
    for (const CheckFinding& found : plausibilityChecks(order.code, slotText)) {
        if (found.slot == finding.slot && found.sentence == finding.problem && found.corrected)
            return {{QStringLiteral("\"%1\", as storing would have put it").arg(*found.corrected),
                     *found.corrected}};
    }
    return {};
}

QString noFixOfWhole(const OrderFinding& finding)
{
    return QStringLiteral("This finding is about the order as a whole, not one value of it: "
                          "there is nothing in the turn data to pick for it. ") +
           finding.fix;
}

void offerList(FixOffer& offer, const Order& order, const TurnData& data,
               const RecordNamesOf& namesOf)
{
    const int slot = offer.slot;
    const QList<SlotSources> sources = sourcesOf(order, slot);
    const ChoiceList list = pickLists(order, slot, data).value(slot - 1);
    offer.starSlot = starSlotFor(sources, slot).value_or(0);
    if (const std::optional<RecordKind> kind = recordKindOf(sources[slot - 1]))
        offer.choices = recordChoices(order, slot, *kind, list, namesOf);
    else
        offer.choices = closestChoices(order, slot, list);
    if (offer.choices.isEmpty())
        offer.none = QStringLiteral("The turn data offers nothing for %1 in this order: there "
                                    "is nothing to pick. ")
                         .arg(offer.slotName);
}

} // namespace

FixOffer fixFor(const OrderFinding& finding, const Order& order, const TurnData& data,
                const RecordNamesOf& namesOf)
{
    FixOffer offer;
    const CatalogueEntry* entry = catalogue::find(order.code);
    if (finding.slot < 1 || !entry || finding.slot > entry->slotCount) {
        offer.none = noFixOfWhole(finding);
        return offer;
    }
    offer.slot = finding.slot;
    offer.was = order.slots[std::size_t(finding.slot - 1)];
    offer.slotName = catalogue::slotName(entry->prompts.value(finding.slot - 1), finding.slot);
    if (finding.severity == OrderFinding::Severity::Error) {
        offerList(offer, order, data, namesOf);
    } else {
        offer.choices = correctionChoices(finding, order);
        if (offer.choices.isEmpty())
            offer.none = QStringLiteral("This note questions the value as it is typed: nothing "
                                        "in the turn data replaces it. ");
    }
    if (!offer.fixes())
        offer.none += finding.fix;
    return offer;
}

int nameDistance(const QString& a, const QString& b)
{
    const QString s = a.toCaseFolded();
    const QString t = b.toCaseFolded();
    const auto n = t.size();
    // Three rows of the table of distances between the beginnings of the two names.
    std::vector<int> before(std::size_t(n + 1));
    std::vector<int> last(std::size_t(n + 1));
    std::vector<int> row(std::size_t(n + 1));
    for (qsizetype j = 0; j <= n; ++j)
        last[std::size_t(j)] = int(j);
    for (qsizetype i = 1; i <= s.size(); ++i) {
        row[0] = int(i);
        for (qsizetype j = 1; j <= n; ++j) {
            const auto J = std::size_t(j);
            const int cost = s[i - 1] == t[j - 1] ? 0 : 1;
            row[J] = std::min({last[J] + 1, row[J - 1] + 1, last[J - 1] + cost});
            if (i > 1 && j > 1 && s[i - 1] == t[j - 2] && s[i - 2] == t[j - 1])
                row[J] = std::min(row[J], before[J - 2] + 1);
        }
        std::swap(before, last);
        std::swap(last, row);
    }
    return last[std::size_t(n)];
}

} // namespace vf
