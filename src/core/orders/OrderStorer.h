#pragma once

#include "model/Order.h"

#include <QString>
#include <functional>
#include <optional>

namespace vf {

class OrderForm;

// Checks the order in the window and appends it to the empire's orders: blank fill, the
// plausibility checks (refusing, correcting or warning), the replacement of picked entries by
// their identifiers, the special cases, the append (which gives the priority); then the grid
// is refreshed and the window reset for the next order. A refused order stays in the window
// as entered.
class OrderStorer {
public:
    using ShowMessage = std::function<void(const QString&)>;
    using Refresh = std::function<void()>;
    // Appends the order made to the empire's stored orders.
    using Append =
        std::function<void(const QString& code, const std::array<QString, kSlotCount>& slots)>;

    OrderStorer(OrderForm& form, Append append, ShowMessage showMessage, Refresh refreshGrid);

    // Returns true when the order was stored. A database failure throws vf::Error and leaves
    // the window as it was after the checks, so the player can try again.
    bool storeOrder();

    // Replaces slot k's text by its picked entry's identifier, when an entry is picked.
    void convertSlot(int slot);

private:
    void blankFill();
    std::array<QString, kSlotCount> convertedSlots() const;

    OrderForm& m_form;
    Append m_append;
    ShowMessage m_showMessage;
    Refresh m_refreshGrid;
};

} // namespace vf
