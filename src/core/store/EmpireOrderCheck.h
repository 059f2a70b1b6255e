#pragma once

#include "orders/OrderCheck.h"

namespace vf {

class Store;

// Checks every stored order of the empire against its turn data as imported now; the findings
// the player set aside, of orders unchanged since, are the report's set-aside ones.
OrderCheckReport checkEmpireOrders(const Store& store, int empireId);

} // namespace vf
