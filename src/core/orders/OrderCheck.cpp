#include "OrderCheck.h"

#include "OrderCatalogue.h"
#include "OrderChecks.h"
#include "SlotLists.h"
#include "TurnData.h"
#include "model/ImportStamp.h"

#include <QMap>
#include <QSet>

#include <algorithm>
#include <optional>

namespace vf {

namespace {

using namespace slotlists;

bool isBlank(const QString& text)
{
    return text.trimmed().isEmpty();
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
                                   QStringLiteral("Pick the Population Group # with Fix\u2026, or "
                                                  "enter it in slot %1 in Edit Orders.")
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
            findings << findingFor(
                order, OrderFinding::Severity::Error, slot,
                QStringLiteral("%1 is missing.").arg(slotName(*entry, slot)),
                QStringLiteral("Pick it with Fix\u2026, or enter it in slot %1 in Edit Orders.")
                    .arg(slot));
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
                    QStringLiteral(
                        "Pick the star with Fix\u2026, or enter it in slot %1 in Edit Orders.")
                        .arg(*star));
                continue;
            }
            findings << findingFor(
                order, OrderFinding::Severity::Error, slot,
                QStringLiteral("%1 \"%2\" is not at %3 in the turn data %4.")
                    .arg(slotName(*entry, slot), value.trimmed(), starName, whenImported()),
                QStringLiteral("Pick one of the warp points of %1 with Fix\u2026, or change the "
                               "order in Edit Orders.")
                    .arg(starName));
            continue;
        }
        findings << findingFor(
            order, OrderFinding::Severity::Error, slot,
            QStringLiteral("%1 \"%2\" is not in the turn data %3.")
                .arg(slotName(*entry, slot), value.trimmed(), whenImported()),
            QStringLiteral(
                "The order may have been entered before the latest Update Data: "
                "pick what it should be with Fix\u2026, or change or delete it in Edit Orders."));
    }
}

QString OrderChecker::whenImported() const
{
    if (!m_lastImport.isValid())
        return QStringLiteral("(no turn results file has been imported for this empire)");
    return QStringLiteral("imported on %1").arg(shownTime(m_lastImport));
}

} // namespace vf
