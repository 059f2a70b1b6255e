#pragma once

#include <QString>
#include <functional>

namespace vf {

class OrderForm;
class OrderStorer;

// The Enter key in the order entry window: in the chooser it applies the code (or stores
// the orders that take no slots); in a slot it moves on to the next slot or, where the order
// needs nothing more, converts picked entries to identifiers and stores the order.
class EnterKeyRoutes {
public:
    using ShowMessage = std::function<void(const QString&)>;

    EnterKeyRoutes(OrderForm& form, OrderStorer& storer, ShowMessage showMessage)
        : m_form(form)
        , m_storer(storer)
        , m_showMessage(std::move(showMessage))
    {
    }

    void onChooserEnter();
    void onSlotEnter(int slot);

private:
    void next(int slot);
    void convertAndStore(std::initializer_list<int> slots);
    void populationGroupCheck();
    bool slot1(const QString& c);
    bool slot2(const QString& c);
    bool slot3(const QString& c);
    bool slot4(const QString& c);
    bool slot5(const QString& c);
    bool laterSlot(int slot, const QString& c);

    OrderForm& m_form;
    OrderStorer& m_storer;
    ShowMessage m_showMessage;
};

} // namespace vf
