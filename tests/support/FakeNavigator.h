#pragma once

#include "common/Navigator.h"

#include <QStringList>

namespace vf::test {

// Records where the windows asked to go.
class FakeNavigator final : public Navigator {
public:
    void openOrderEntry(int empireId) override
    {
        calls << QStringLiteral("entry %1").arg(empireId);
    }
    void openOrderListing(int empireId) override
    {
        calls << QStringLiteral("listing %1").arg(empireId);
    }
    void showOrderInListing(int empireId, qint64 orderId) override
    {
        calls << QStringLiteral("listing %1 at order %2").arg(empireId).arg(orderId);
    }
    void backToMainMenu() override { calls << QStringLiteral("main menu"); }
    void openTurnData(int empireId) override
    {
        calls << QStringLiteral("turn data %1").arg(empireId);
    }
    void openWarpMap(int empireId) override
    {
        calls << QStringLiteral("warp map %1").arg(empireId);
    }
    void showOnMap(int empireId, const QString& star) override
    {
        calls << QStringLiteral("warp map %1 at %2").arg(empireId).arg(star);
    }
    void startOrder(int empireId, const OrderStart& start) override
    {
        calls << QStringLiteral("order %1: %2, slot %3 picks %4, slot %5 holds %6")
                     .arg(empireId)
                     .arg(start.code)
                     .arg(start.slot)
                     .arg(start.number)
                     .arg(start.starSlot)
                     .arg(start.star);
    }
    void openWhatChanged(int empireId) override
    {
        calls << QStringLiteral("what changed %1").arg(empireId);
    }
    void openUserGuide() override { calls << QStringLiteral("user's guide"); }
    void exitProgram() override { calls << QStringLiteral("exit"); }

    QStringList calls;
};

} // namespace vf::test
