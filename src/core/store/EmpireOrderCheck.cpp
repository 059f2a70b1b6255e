#include "EmpireOrderCheck.h"

#include "OrderRepository.h"
#include "Store.h"
#include "TurnDataRepository.h"
#include "TurnImports.h"
#include "orders/CachedTurnData.h"

namespace vf {

OrderCheckReport checkEmpireOrders(const Store& store, int empireId)
{
    const TurnDataRepository turnData(store, empireId);
    const CachedTurnData cached(turnData);
    return OrderChecker(cached, lastImportOf(store, empireId).when)
        .check(OrderRepository(store).ordersOf(empireId));
}

} // namespace vf
