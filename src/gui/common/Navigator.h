#pragma once

#include <QtGlobal>

namespace vf {

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
    virtual void exitProgram() = 0;
};

} // namespace vf
