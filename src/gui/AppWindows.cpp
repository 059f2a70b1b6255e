#include "AppWindows.h"

#include "common/AppContext.h"
#include "common/Dialogs.h"
#include "common/GuardedAction.h"
#include "common/StoreFollower.h"
#include "help/HelpWindows.h"
#include "listing/OrderListingWindow.h"
#include "mainmenu/MainMenuWindow.h"
#include "orderentry/OrderEntryWindow.h"
#include "store/RememberedState.h"
#include "store/TurnDataRepository.h"
#include "turndata/TurnDataWindow.h"
#include "turndata/WhatChangedWindow.h"
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

namespace {

// A window opened from a key or a menu comes to the front; one rebuilt because the store
// changed keeps its place and stays behind the window the player is in.
void showWindow(QWidget& window, const std::optional<QRect>& replacing, bool wasActive)
{
    if (replacing) {
        window.setGeometry(*replacing);
        window.setAttribute(Qt::WA_ShowWithoutActivating, !wasActive);
    }
    window.show();
    if (!replacing || wasActive) {
        window.raise();
        window.activateWindow();
    }
}

// The window's place when it is shown (it is being replaced), else nothing.
std::optional<QRect> placeOf(const QWidget* window)
{
    if (window && window->isVisible())
        return window->geometry();
    return std::nullopt;
}

} // namespace

void AppWindows::openTurnData(int empireId)
{
    // The one open for the empire follows the store: it only comes to the front.
    if (m_turnData && m_turnData->empireId() == empireId && m_turnData->isVisible())
        return showWindow(*m_turnData, std::nullopt, true);
    buildTurnData(empireId, std::nullopt, true);
}

void AppWindows::buildTurnData(int empireId, const std::optional<QRect>& replacing, bool wasActive)
{
    if (m_turnData) {
        m_turnData->close(); // keeps the player's tab, filter and sort
        m_turnData.release()->deleteLater();
    }
    guarded(m_context.dialogs,
            [&] { m_turnData = std::make_unique<TurnDataWindow>(m_context, *this, empireId); });
    if (!m_turnData)
        return;
    // Another import of the empire: the window is made again from the new turn data.
    followImports(m_turnData.get(), m_context.store, empireId, [this, empireId] {
        if (m_turnData->isVisible())
            buildTurnData(empireId, placeOf(m_turnData.get()), m_turnData->isActiveWindow());
    });
    showWindow(*m_turnData, replacing, wasActive);
}

void AppWindows::openWarpMap(int empireId)
{
    if (m_warpMap && m_warpMap->empireId() == empireId && m_warpMap->isVisible())
        return showWindow(*m_warpMap, std::nullopt, true);
    buildWarpMap(empireId, std::nullopt, true);
}

void AppWindows::showOnMap(int empireId, const QString& star)
{
    openWarpMap(empireId);
    if (m_warpMap && m_warpMap->empireId() == empireId)
        m_warpMap->showStarNamed(star);
}

void AppWindows::buildWarpMap(int empireId, const std::optional<QRect>& replacing, bool wasActive)
{
    // The one open keeps the player's place first.
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
    followImports(m_warpMap.get(), m_context.store, empireId, [this, empireId] {
        if (m_warpMap->isVisible())
            buildWarpMap(empireId, placeOf(m_warpMap.get()), m_warpMap->isActiveWindow());
    });
    showWindow(*m_warpMap, replacing, wasActive);
}

void AppWindows::startOrder(int empireId, const OrderStart& start)
{
    // A window may show a record the store no longer holds (it was imported again since):
    // no order is begun with an empty slot.
    std::optional<bool> held; // nothing: the database could not be read (and that was told)
    guarded(m_context.dialogs, [&] {
        const QString star = start.starSlot > 0 ? start.star : QString();
        held = TurnDataRepository(m_context.store, empireId).holds(start.kind, start.number, star);
    });
    if (!held)
        return;
    if (!*held) {
        m_context.dialogs.warn(
            QStringLiteral("New Order"),
            QStringLiteral("%1 is not in the turn data of Empire # %2 any more: no order was "
                           "begun.")
                .arg(recordLabel(start.kind, start.number))
                .arg(empireId));
        return;
    }
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

void AppWindows::openWhatChanged(int empireId)
{
    QWidget* over = QApplication::activeWindow();
    guarded(m_context.dialogs, [&] { vf::openWhatChanged(m_context, *this, empireId, over); });
}

void AppWindows::openUserGuide()
{
    QWidget* over = QApplication::activeWindow();
    guarded(m_context.dialogs, [&] { vf::openUserGuide(m_context, over); });
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
