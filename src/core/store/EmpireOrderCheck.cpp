#include "EmpireOrderCheck.h"

#include "OrderRepository.h"
#include "SetAsideFindings.h"
#include "Store.h"
#include "TurnDataRepository.h"
#include "TurnImports.h"
#include "orders/CachedTurnData.h"

namespace vf {

OrderCheckReport checkEmpireOrders(const Store& store, int empireId)
{
    const TurnDataRepository turnData(store, empireId);
    const CachedTurnData cached(turnData);
    const QList<Order> orders = OrderRepository(store).ordersOf(empireId);
    OrderCheckReport report =
        OrderChecker(cached, lastImportOf(store, empireId).when).check(orders);
    separateSetAside(report, orders, SetAsideFindings(store).of(empireId));
    return report;
}

} // namespace vf
