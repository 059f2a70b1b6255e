#include "OrdersGridModel.h"

#include "Error.h"
#include "common/OrderGridStyle.h"
#include "store/OrderRepository.h"
#include "store/Store.h"

#include <QApplication>
#include <QSqlError>
#include <QStringList>

namespace vf {

OrdersGridModel::OrdersGridModel(const Store& store, int empireId, QObject* parent)
    : QSqlQueryModel(parent)
    , m_store(store)
    , m_empireId(empireId)
{
    refresh();
}

void OrdersGridModel::refresh()
{
    QStringList slots;
    for (int k = 1; k <= kSlotCount; ++k)
        slots << OrderRepository::slotField(k);
    QSqlQuery query(m_store.database());
    query.prepare(QStringLiteral("SELECT Priority, OrderCode, %1 FROM Orders WHERE EmpireID = ? "
                                 "ORDER BY Priority, OrderID")
                      .arg(slots.join(QStringLiteral(", "))));
    query.addBindValue(m_empireId);
    if (!query.exec())
        throw Error(QStringLiteral("Could not read the orders from %1:\n%2")
                        .arg(m_store.path(), query.lastError().text()));
    setQuery(std::move(query));
}

QVariant OrdersGridModel::data(const QModelIndex& index, int role) const
{
    const OrderColumn column = index.column() == 0   ? OrderColumn::Priority
                               : index.column() == 1 ? OrderColumn::Code
                                                     : OrderColumn::Other;
    const QVariant style = orderGridStyle(column, role, QApplication::font());
    return style.isValid() ? style : QSqlQueryModel::data(index, role);
}

} // namespace vf
