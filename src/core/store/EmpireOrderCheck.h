#pragma once

#include "orders/OrderCheck.h"

namespace vf {

class Store;

// Checks every stored order of the empire against its turn data as imported now.
OrderCheckReport checkEmpireOrders(const Store& store, int empireId);

} // namespace vf
