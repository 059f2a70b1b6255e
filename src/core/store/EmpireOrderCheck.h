#pragma once

#include "orders/OrderCheck.h"

namespace vf {

class Store;

// Checks every stored order of the empire against its turn data as imported now.
OrderCheckReport checkEmpireOrders(const Store& store, int empireId);

// When the empire's turn data was last imported, as the import records it (invalid: never).
QDateTime lastImportOf(const Store& store, int empireId);
// The name of the file that import read (empty: not recorded).
QString lastImportFileOf(const Store& store, int empireId);
void recordImport(const Store& store, int empireId, const QDateTime& when,
                  const QString& fileName = QString());

} // namespace vf
