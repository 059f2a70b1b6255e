#pragma once

#include "model/RecordKind.h"

#include <QString>
#include <QtGlobal>

namespace vf {

// A new order begun from a record of the turn data: the code as if chosen, and the record
// picked in its slot as if the player had picked it (a warp point after its star).
struct OrderStart {
    QString code;
    int slot = 0;
    int number = 0;                      // the record's identifier
    int starSlot = 0;                    // 0: none
    QString star;                        // for starSlot
    RecordKind kind = RecordKind::Fleet; // of the record
};

// Hands the player from one window to another. The window being opened is built afresh
// for the current empire; the window being left is hidden.
class Navigator {
public:
    virtual ~Navigator() = default;
    virtual void openOrderEntry(int empireId) = 0;
    virtual void openOrderListing(int empireId) = 0;
    // The listing with that order's row selected.
    virtual void showOrderInListing(int empireId, qint64 orderId) = 0;
    virtual void backToMainMenu() = 0;
    // The turn data of the empire, in a window of its own that stays open beside the others.
    virtual void openTurnData(int empireId) = 0;
    // The warp map of the empire, likewise in a window of its own.
    virtual void openWarpMap(int empireId) = 0;
    // The warp map with the star marked and its panel open.
    virtual void showOnMap(int empireId, const QString& star) = 0;
    // Order entry (the one open, else a new one) with an order begun.
    virtual void startOrder(int empireId, const OrderStart& start) = 0;
    // What changed at the empire's last import, over the window in front.
    virtual void openWhatChanged(int empireId) = 0;
    virtual void openUserGuide() = 0;
    virtual void exitProgram() = 0;
};

} // namespace vf
