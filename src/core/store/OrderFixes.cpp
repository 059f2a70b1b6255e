#include "OrderFixes.h"

#include "OrderRepository.h"
#include "RecordNames.h"
#include "TurnDataRepository.h"

namespace vf {

FixOffer offerFix(const Store& store, int empireId, const OrderFinding& finding)
{
    const std::optional<Order> order = OrderRepository(store).find(empireId, finding.orderId);
    if (!order) {
        FixOffer gone;
        gone.none = QStringLiteral("The order was deleted: there is nothing left to fix.");
        return gone;
    }
    const RecordNames names(store);
    return fixFor(finding, *order, TurnDataRepository(store, empireId),
                  [&names, empireId](RecordKind kind, const QList<int>& numbers) {
                      return names.namesOf(empireId, kind, numbers);
                  });
}

SlotChange changeFor(const FixOffer& offer, qint64 orderId, const FixChoice& picked)
{
    return SlotChange{orderId, offer.slot, offer.was, picked.value};
}

bool storeChange(const Store& store, const SlotChange& change)
{
    return OrderRepository(store).replaceSlot(change.orderId, change.slot, change.before,
                                              change.after);
}

} // namespace vf
