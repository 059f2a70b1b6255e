#include "AppWindows.h"

#include "common/AppContext.h"
#include "common/Dialogs.h"
#include "common/GuardedAction.h"
#include "listing/OrderListingWindow.h"
#include "mainmenu/MainMenuWindow.h"
#include "orderentry/OrderEntryWindow.h"
#include "store/RememberedState.h"
#include "turndata/TurnDataWindow.h"
#include "warpmap/WarpMapWindow.h"

#include <QApplication>

namespace vf {

AppWindows::AppWindows(AppContext& context)
    : m_context(context)
{
    // The empire chosen last, in this run or the one before.
    if (m_context.currentEmpireId == 0)
        m_context.currentEmpireId = RememberedState(context.store).lastEmpire();
    m_mainMenu = std::make_unique<MainMenuWindow>(context, *this);
}

AppWindows::~AppWindows() = default;

void AppWindows::start()
{
    // Hiding the main menu while another window is open must not end the run; only File,
    // Exit or closing the main menu does.
    QApplication::setQuitOnLastWindowClosed(false);
    m_mainMenu->show();
    m_mainMenu->offerOldDatabase();
}

void AppWindows::hideAllBut(const QWidget* shown)
{
    for (QWidget* window :
         {static_cast<QWidget*>(m_mainMenu.get()), static_cast<QWidget*>(m_orderEntry.get()),
          static_cast<QWidget*>(m_listing.get())}) {
        if (window && window != shown)
            window->hide();
    }
}

void AppWindows::openOrderEntry(int empireId)
{
    // The window being replaced may be the one whose button led here: let it go once the
    // event that called us has finished.
    if (m_orderEntry)
        m_orderEntry.release()->deleteLater();
    guarded(m_context.dialogs,
            [&] { m_orderEntry = std::make_unique<OrderEntryWindow>(m_context, *this, empireId); });
    if (!m_orderEntry)
        return;
    m_orderEntry->show();
    hideAllBut(m_orderEntry.get());
}

void AppWindows::openOrderListing(int empireId)
{
    if (m_listing)
        m_listing.release()->deleteLater();
    guarded(m_context.dialogs,
            [&] { m_listing = std::make_unique<OrderListingWindow>(m_context, *this, empireId); });
    if (!m_listing)
        return;
    m_listing->show();
    hideAllBut(m_listing.get());
    m_context.dialogs.warn(
        QStringLiteral("Imperial Advisor Warning"),
        QStringLiteral("<< WARNING >>\r\n\r\n") +
            QStringLiteral("Change fields in the above order editing table at your own risk.  "
                           "Simple changes to numbers only works fine (the Priority field is a "
                           "good example), but if there is text involved, you are strongly "
                           "advised to delete the order, enter a new order, and then come back "
                           "here to Edit Orders to change the Priority value to place that new "
                           "order at the desired location in your orders processing sequence.") +
            QStringLiteral("\r\n\r\n") +
            QStringLiteral("To delete an order, click on the far left column to select an orders "
                           "row.  Then hit the 'Delete' key on your keyboard."));
}

void AppWindows::showOrderInListing(int empireId, qint64 orderId)
{
    openOrderListing(empireId);
    if (m_listing)
        m_listing->selectOrder(orderId);
}

void AppWindows::backToMainMenu()
{
    m_mainMenu->loadAfresh();
    m_mainMenu->show();
    hideAllBut(m_mainMenu.get());
}

void AppWindows::openTurnData(int empireId)
{
    // Built afresh each time: an import in between changes what it shows.
    if (m_turnData)
        m_turnData.release()->deleteLater();
    guarded(m_context.dialogs,
            [&] { m_turnData = std::make_unique<TurnDataWindow>(m_context, *this, empireId); });
    if (!m_turnData)
        return;
    m_turnData->show();
    m_turnData->raise();
    m_turnData->activateWindow();
}

void AppWindows::openWarpMap(int empireId)
{
    // Built afresh each time, as the turn data; the one open keeps the player's place first.
    if (m_warpMap) {
        m_warpMap->close();
        m_warpMap.release()->deleteLater();
    }
    guarded(m_context.dialogs, [&] {
        QWidget* over = QApplication::activeWindow();
        if (auto map = laidOutMap(m_context, empireId, over))
            m_warpMap =
                std::make_unique<WarpMapWindow>(m_context, *this, empireId, std::move(*map));
    });
    if (!m_warpMap)
        return;
    m_warpMap->show();
    m_warpMap->raise();
    m_warpMap->activateWindow();
}

void AppWindows::startOrder(int empireId, const OrderStart& start)
{
    // An order entry window already open for the empire takes the new order (as choosing a
    // code there would); its stored orders are all there.
    if (!m_orderEntry || m_orderEntry->empireId() != empireId || !m_orderEntry->isVisible())
        openOrderEntry(empireId);
    if (!m_orderEntry)
        return;
    m_orderEntry->raise();
    m_orderEntry->activateWindow();
    m_orderEntry->startOrder(start);
}

void AppWindows::exitProgram()
{
    if (m_turnData)
        m_turnData->close();
    if (m_warpMap)
        m_warpMap->close();
    QApplication::quit();
}

} // namespace vf
