#pragma once

#include "common/Navigator.h"

class QWidget;
#include <QRect>

#include <memory>
#include <optional>

namespace vf {

struct AppContext;
class MainMenuWindow;
class OrderEntryWindow;
class OrderListingWindow;
class TurnDataWindow;
class WarpMapWindow;

// Owns the windows of a run and hands the player between them. The main menu lives
// for the whole run; the order entry window and the listing editor are built afresh each
// time they open, so they always show the current empire's orders.
class AppWindows final : public Navigator {
public:
    explicit AppWindows(AppContext& context);
    ~AppWindows() override;

    void start();
    MainMenuWindow& mainMenu() { return *m_mainMenu; }
    OrderEntryWindow* orderEntry() const { return m_orderEntry.get(); }
    OrderListingWindow* orderListing() const { return m_listing.get(); }

    void openOrderEntry(int empireId) override;
    void openOrderListing(int empireId) override;
    void showOrderInListing(int empireId, qint64 orderId) override;
    void backToMainMenu() override;
    void openTurnData(int empireId) override;
    void startOrder(int empireId, const OrderStart& start) override;
    TurnDataWindow* turnData() const { return m_turnData.get(); }
    void openWarpMap(int empireId) override;
    void showOnMap(int empireId, const QString& star) override;
    WarpMapWindow* warpMap() const { return m_warpMap.get(); }
    void openWhatChanged(int empireId) override;
    void openUserGuide() override;
    void exitProgram() override;

private:
    void hideAllBut(const QWidget* shown);
    // Builds the window (again, in the place given, when the store changed under it).
    void buildTurnData(int empireId, const std::optional<QRect>& replacing, bool wasActive);
    void buildWarpMap(int empireId, const std::optional<QRect>& replacing, bool wasActive);

    AppContext& m_context;
    std::unique_ptr<MainMenuWindow> m_mainMenu;
    std::unique_ptr<OrderEntryWindow> m_orderEntry;
    std::unique_ptr<OrderListingWindow> m_listing;
    std::unique_ptr<TurnDataWindow> m_turnData;
    std::unique_ptr<WarpMapWindow> m_warpMap;
};

} // namespace vf
