#include "RouteOrdering.h"

#include "common/AppContext.h"
#include "common/Dialogs.h"
#include "common/GuardedAction.h"
#include "store/TurnDataRepository.h"
#include "warpmap/RouteOrders.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

#include <optional>

namespace vf {

namespace {

const QString kTitle = QStringLiteral("Order This Route");

// The empire's fleets, those at the star first, each group by number.
ChoiceList fleetsFor(const AppContext& context, int empireId, const TurnData& data,
                     const QString& star)
{
    return recordsFirst(data.fleets(), fleetsAt(context.store, empireId, star));
}

struct RouteChoice {
    int fleet = 0;
    int jumps = 0;
};

std::optional<RouteChoice> askFleetAndJumps(const ChoiceList& fleets, int jumps, QWidget* over)
{
    QDialog ask(over);
    ask.setObjectName(QStringLiteral("OrderRouteDialog"));
    ask.setWindowTitle(kTitle);
    auto* fleet = new QComboBox(&ask);
    fleet->setObjectName(QStringLiteral("RouteFleet"));
    fleet->setAccessibleName(QStringLiteral("Fleet"));
    for (const ChoiceEntry& entry : fleets)
        fleet->addItem(QStringLiteral("Fleet # ") + entry.text, entry.number.value_or(0));
    auto* count = new QSpinBox(&ask);
    count->setObjectName(QStringLiteral("RouteJumps"));
    count->setAccessibleName(QStringLiteral("Jumps this turn"));
    count->setRange(1, jumps);
    count->setValue(jumps);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &ask);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Store the Orders"));
    buttons->button(QDialogButtonBox::Ok)->setEnabled(fleet->count() > 0);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &ask, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
    auto* form = new QFormLayout(&ask);
    form->addRow(QStringLiteral("&Fleet:"), fleet);
    form->addRow(QStringLiteral("&Jumps this turn:"), count);
    form->addRow(buttons);
    if (ask.exec() != QDialog::Accepted)
        return std::nullopt;
    return RouteChoice{fleet->currentData().toInt(), count->value()};
}

QString prioritiesText(const QList<int>& priorities)
{
    QStringList all;
    for (const int priority : priorities)
        all << QString::number(priority);
    return all.join(QStringLiteral(", "));
}

} // namespace

void orderRoute(AppContext& context, int empireId, const WarpMap& map, const Route& route,
                QWidget* over)
{
    if (route.jumps.empty())
        return;
    guarded(context.dialogs, [&] {
        const TurnDataRepository data(context.store, empireId);
        const auto chosen =
            askFleetAndJumps(fleetsFor(context, empireId, data, map.stars[route.from].name),
                             int(route.jumps.size()), over);
        if (!chosen)
            return;
        const std::vector<RouteJump> jumps(route.jumps.begin(),
                                           route.jumps.begin() + chosen->jumps);
        const RouteOrders made = makeRouteOrders(data, map, jumps, chosen->fleet);
        if (!made.refused.isEmpty()) {
            context.dialogs.warn(kTitle, made.refused + QStringLiteral(" No order was stored."));
            return;
        }
        if (!made.told.isEmpty() &&
            context.dialogs.ask({DialogIcon::Warning, kTitle,
                                 made.told.join(QStringLiteral("\n")) +
                                     QStringLiteral("\n\nStore the orders all the same?"),
                                 DialogButtons::OkCancel}) != DialogAnswer::Ok)
            return;
        const QList<int> priorities = storeRouteOrders(context.store, empireId, made);
        context.dialogs.inform(
            kTitle,
            QStringLiteral("%1 MOVE %2 stored for Fleet # %3, at %4 %5.")
                .arg(priorities.size())
                .arg(priorities.size() == 1 ? QStringLiteral("order") : QStringLiteral("orders"))
                .arg(chosen->fleet)
                .arg(priorities.size() == 1 ? QStringLiteral("priority")
                                            : QStringLiteral("priorities"),
                     prioritiesText(priorities)),
            DialogIcon::Information);
    });
}

} // namespace vf
