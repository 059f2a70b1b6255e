#pragma once

#include "TestStore.h"
#include "orders/ChosenCode.h"
#include "orders/EnterKeyRoutes.h"
#include "orders/MemoryOrderForm.h"
#include "orders/OrderStorer.h"
#include "store/OrderRepository.h"

#include <QMap>

namespace vf::test {

using SlotValues = QMap<int, QString>;

// The order rules over an in-memory form for empire 123, with a real database.
struct OrderFixture {
    TestStore t;
    MemoryOrderForm form;
    OrderRepository orders{t.store()};
    QStringList messages;
    int refreshes = 0;
    OrderStorer storer{form,
                       [this](const QString& code, const std::array<QString, kSlotCount>& slots) {
                           orders.append(123, code, slots);
                       },
                       [this](const QString& m) { messages << m; }, [this] { ++refreshes; }};
    EnterKeyRoutes keys{form, storer, [this](const QString& m) { messages << m; }};

    // The player chooses the code (text that is no code stays typed) and types the values.
    void enter(const QString& code, const SlotValues& values = {})
    {
        form.chooseCode(code);
        applyChosenCode(form);
        form.setCode(code);
        for (auto it = values.begin(); it != values.end(); ++it)
            form.type(it.key(), it.value());
    }
    void pick(int slot, const ChoiceList& list, int index)
    {
        form.setChoices(slot, list);
        form.pick(slot, index);
    }
    QList<Order> stored() { return orders.ordersOf(123); }
};

} // namespace vf::test
