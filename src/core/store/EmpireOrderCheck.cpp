#include "EmpireOrderCheck.h"

#include "OrderRepository.h"
#include "Store.h"
#include "TurnDataRepository.h"
#include "orders/CachedTurnData.h"

namespace vf {

namespace {

QString importSetting(int empireId)
{
    return QStringLiteral("turn data imported %1").arg(empireId);
}

} // namespace

OrderCheckReport checkEmpireOrders(const Store& store, int empireId)
{
    const TurnDataRepository turnData(store, empireId);
    const CachedTurnData cached(turnData);
    return OrderChecker(cached, lastImportOf(store, empireId))
        .check(OrderRepository(store).ordersOf(empireId));
}

QDateTime lastImportOf(const Store& store, int empireId)
{
    return QDateTime::fromString(store.setting(importSetting(empireId)), Qt::ISODate);
}

QString lastImportFileOf(const Store& store, int empireId)
{
    return store.setting(importSetting(empireId) + QStringLiteral(" from"));
}

void recordImport(const Store& store, int empireId, const QDateTime& when, const QString& fileName)
{
    store.setSetting(importSetting(empireId), when.toString(Qt::ISODate));
    store.setSetting(importSetting(empireId) + QStringLiteral(" from"), fileName);
}

} // namespace vf
