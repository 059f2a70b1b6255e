#pragma once

#include "store/Order.h"

#include <QString>
#include <functional>
#include <optional>

namespace vf {

class OrderForm;
class OrderRepository;

// Checks the order in the window and appends it to the empire's orders: priority, blank
// fill, the plausibility checks (refusing, correcting or warning), the replacement of picked
// entries by their identifiers, the special cases, the append; then the grid is refreshed
// and the window reset for the next order. A refused order stays in the window as entered.
class OrderStorer {
public:
    using ShowMessage = std::function<void(const QString&)>;
    using Refresh = std::function<void()>;

    OrderStorer(OrderForm& form, const OrderRepository& orders, int empireId,
                ShowMessage showMessage, Refresh refreshGrid);

    // Returns true when the order was stored. A database failure throws vf::Error and leaves
    // the window as it was after the checks, so the player can try again.
    bool storeOrder();

    // Replaces slot k's text by its picked entry's identifier, when an entry is picked.
    void convertSlot(int slot);

private:
    void blankFill();
    std::array<QString, kSlotCount> convertedSlots() const;

    OrderForm& m_form;
    const OrderRepository& m_orders;
    int m_empireId;
    ShowMessage m_showMessage;
    Refresh m_refreshGrid;
};

} // namespace vf
