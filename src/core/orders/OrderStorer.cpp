#include "OrderStorer.h"

#include "ChosenCode.h"
#include "OrderChecks.h"
#include "OrderForm.h"

namespace vf {

OrderStorer::OrderStorer(OrderForm& form, Append append, ShowMessage showMessage,
                         Refresh refreshGrid)
    : m_form(form)
    , m_append(std::move(append))
    , m_showMessage(std::move(showMessage))
    , m_refreshGrid(std::move(refreshGrid))
{
}

void OrderStorer::blankFill()
{
    if (m_form.code().isEmpty())
        m_form.setCode(QStringLiteral(" "));
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (m_form.slotText(slot).isEmpty())
            m_form.setSlotText(slot, QStringLiteral(" "));
    }
}

void OrderStorer::convertSlot(int slot)
{
    const int entry = m_form.selectedEntry(slot);
    if (entry < 0)
        return;
    m_form.setSlotText(slot, QString::number(m_form.choices(slot).at(entry).number.value_or(0)));
}

std::array<QString, kSlotCount> OrderStorer::convertedSlots() const
{
    const QString c = m_form.code();
    std::array<QString, kSlotCount> slots;
    for (int slot = 1; slot <= kSlotCount; ++slot)
        slots[slot - 1] = m_form.slotText(slot);
    for (int slot : slotsConverted(c)) {
        const int entry = m_form.selectedEntry(slot);
        if (entry < 0)
            continue;
        const QString upper = slots[slot - 1].toUpper();
        const bool keepWord = c == QLatin1String("DECF") && slot == 1 &&
                              (upper == QLatin1String("ALL") || upper == QLatin1String("HOME"));
        slots[slot - 1] =
            keepWord ? upper : QString::number(m_form.choices(slot).at(entry).number.value_or(0));
    }
    if (c == QLatin1String("NUD") && slots[2].size() > 1)
        slots[2] = slots[2].left(1);
    if (c == QLatin1String("NEWF") && slots[2] == QLatin1String(" "))
        slots[2] = QStringLiteral("Fleet ") + slots[1];
    if (c == QLatin1String("NEWA") && slots[2] == QLatin1String(" "))
        slots[2] = QStringLiteral("Army ") + slots[1];
    if (c == QLatin1String("MESS"))
        slots[2] = QStringLiteral(" ");
    return slots;
}

bool OrderStorer::storeOrder()
{
    blankFill();
    const auto slotText = [this](int slot) { return m_form.slotText(slot); };
    for (const CheckFinding& found : plausibilityChecks(m_form.code(), slotText)) {
        m_showMessage(found.message());
        if (found.kind == CheckFinding::Kind::Refusal)
            return false;
        if (found.corrected)
            m_form.setSlotText(found.slot, *found.corrected);
    }
    m_append(m_form.code(), convertedSlots());
    m_refreshGrid();
    resetForNextOrder(m_form);
    return true;
}

} // namespace vf
