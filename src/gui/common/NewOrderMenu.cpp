#include "NewOrderMenu.h"

#include "common/Navigator.h"
#include "orders/OrderCatalogue.h"

#include <QMenu>

namespace vf {

namespace {

// "MOVE (Move to Warp Point)"; "XMOVE (Move to Warp Point)" for an X-variant.
QString codeCaption(const QString& code)
{
    const QString meaning = catalogue::meaningOf(code);
    return meaning.isEmpty() ? code : code + QStringLiteral(" (") + meaning + QLatin1Char(')');
}

} // namespace

void addNewOrderCodes(QMenu& menu, RecordKind kind, int number, const QString& star,
                      const std::function<void(const OrderStart&)>& start)
{
    for (const SlotUse& use : slotsTaking(kind)) {
        QAction* action = menu.addAction(codeCaption(use.code));
        const OrderStart order{use.code, use.slot, number, use.starSlot,
                               use.starSlot > 0 ? star : QString()};
        QObject::connect(action, &QAction::triggered, &menu, [start, order] { start(order); });
    }
}

} // namespace vf
