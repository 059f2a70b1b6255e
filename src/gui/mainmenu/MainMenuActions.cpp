#include "MainMenuActions.h"

#include "ClearOrdersDialogue.h"
#include "EmpireChooser.h"
#include "NewEmpireDialogue.h"
#include "OldDatabaseDialogue.h"
#include "PasswordDialogue.h"
#include "SaveOrdersDialogue.h"
#include "UpdateDataDialogue.h"
#include "check/CheckOrdersWindow.h"
#include "common/AppContext.h"
#include "common/Dialogs.h"
#include "common/GuardedAction.h"
#include "common/Navigator.h"
#include "earlier/EarlierOrdersWindow.h"
#include "platform/Clock.h"
#include "store/EmpireRepository.h"
#include "store/OrderRepository.h"
#include "turndata/WhatChangedWindow.h"

namespace vf {

MainMenuActions::MainMenuActions(AppContext& context, Navigator& navigator, EmpireChooser& chooser,
                                 QWidget* window)
    : m_context(context)
    , m_navigator(navigator)
    , m_chooser(chooser)
    , m_window(window)
{
}

void MainMenuActions::enterOrders()
{
    const auto number = m_chooser.empireNumber();
    if (!number) {
        m_context.dialogs.warn(QStringLiteral("Imperial Bureaucrat Report"),
                               QStringLiteral("You need to select an Empire before proceeding to "
                                              "Order Entry"));
        return;
    }
    if (!EmpireRepository(m_context.store).findById(*number)) {
        m_context.dialogs.warn(QStringLiteral("Imperial Bureaucrat Report"),
                               QStringLiteral("The Empire you have selected has not been set up "
                                              "for Turn Entry"));
        return;
    }
    m_navigator.openOrderEntry(*number);
}

void MainMenuActions::editOrders()
{
    const auto number = m_chooser.empireNumber();
    if (!number) {
        m_context.dialogs.warn(QStringLiteral("Imperial Advisor Report"),
                               QStringLiteral("You need to select an Empire before proceeding to "
                                              "Order Editing"));
        return;
    }
    m_navigator.openOrderListing(*number);
}

void MainMenuActions::newEmpire()
{
    if (runNewEmpireDialogue(m_context.dialogs, EmpireRepository(m_context.store)))
        m_chooser.reload();
}

void MainMenuActions::clearOrders()
{
    // The messages name the empire whose orders go, whatever the name box shows.
    const auto number = m_chooser.empireNumber();
    const auto empire =
        number ? EmpireRepository(m_context.store).findById(*number) : std::optional<Empire>();
    runClearOrdersDialogue(m_context.dialogs, OrderRepository(m_context.store), number,
                           empire ? empire->name : m_chooser.typedName(), m_context.clock.now());
}

void MainMenuActions::saveOrders()
{
    const int empireId = m_chooser.empireNumber().value_or(0);
    runSaveOrdersDialogue(m_context, m_chooser.empireNumber(),
                          [this, empireId](const OrderCheckReport& report) {
                              showCheckReport(m_context, m_navigator, empireId, report, m_window);
                          });
}

void MainMenuActions::checkOrders()
{
    openCheckOrders(m_context, m_navigator, m_chooser.empireNumber(), m_window);
}

void MainMenuActions::showTurnData()
{
    openForEmpire(QStringLiteral("Turn Data"), QStringLiteral("turn data"),
                  &Navigator::openTurnData);
}

void MainMenuActions::showWarpMap()
{
    openForEmpire(QStringLiteral("Warp Map"), QStringLiteral("warp map"), &Navigator::openWarpMap);
}

void MainMenuActions::openForEmpire(const QString& title, const QString& what,
                                    void (Navigator::*open)(int))
{
    if (const auto number = m_chooser.empireNumber())
        (m_navigator.*open)(*number);
    else
        m_context.dialogs.warn(title, QStringLiteral("You need to select an Empire before "
                                                     "looking at its %1")
                                          .arg(what));
}

void MainMenuActions::updateData()
{
    importTurnResults(std::nullopt);
}

void MainMenuActions::importTurnResults(const std::optional<QString>& droppedFile)
{
    const std::optional<int> empireId = m_chooser.empireNumber();
    const auto answer = runUpdateDataDialogue(m_context, empireId, m_window, droppedFile);
    if (!answer)
        return;
    m_chooser.reload();
    if (*answer == DialogAnswer::WhatChanged)
        openWhatChanged(m_context, m_navigator, empireId, m_window);
    else if (*answer == DialogAnswer::CheckOrders)
        openCheckOrders(m_context, m_navigator, empireId, m_window);
}

void MainMenuActions::importOldDatabase()
{
    if (chooseOldDatabase(m_context, m_window))
        m_chooser.reload();
}

void MainMenuActions::offerOldDatabase()
{
    guarded(m_context.dialogs, [this] {
        if (vf::offerOldDatabase(m_context, m_window))
            m_chooser.reload();
    });
}

void MainMenuActions::changePassword()
{
    const auto number = m_chooser.empireNumber();
    if (!runPasswordDialogue(m_context, number))
        return;
    if (const auto empire = EmpireRepository(m_context.store).findById(*number))
        m_chooser.showPassword(empire->password);
}

void MainMenuActions::restoreClearedOrders()
{
    runRestoreClearedOrdersDialogue(m_context.dialogs, OrderRepository(m_context.store),
                                    m_chooser.empireNumber());
}

void MainMenuActions::earlierOrders()
{
    openEarlierOrders(m_context, m_navigator, m_chooser.empireNumber(), m_window);
}

void MainMenuActions::whatChanged()
{
    openWhatChanged(m_context, m_navigator, m_chooser.empireNumber(), m_window);
}

void MainMenuActions::compareTurns()
{
    openCompareTurns(m_context, m_navigator, m_chooser.empireNumber(), m_window);
}

} // namespace vf
