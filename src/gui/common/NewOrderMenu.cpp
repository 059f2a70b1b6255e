#include "NewOrderMenu.h"

#include "common/Navigator.h"
#include "orders/OrderCatalogue.h"

#include <QMenu>

namespace vf {

namespace {

// "MOVE (Move to Warp Point)" from the code's description line; an X-variant, whose line is
// its base code's, under its own code ("XMOVE (Move to Warp Point)").
QString codeCaption(const QString& code)
{
    const CatalogueEntry* entry = catalogue::find(code);
    const qsizetype end = entry ? entry->description.indexOf(QLatin1Char(')')) : -1;
    const qsizetype name = entry ? entry->description.indexOf(QLatin1String(" (")) : -1;
    if (end < 0 || name < 0 || name > end)
        return code;
    return code + entry->description.mid(name, end + 1 - name);
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
