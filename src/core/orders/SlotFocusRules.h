#pragma once

#include "ChoiceList.h"

#include <QString>

namespace vf {

class OrderForm;
class TurnData;

// Builds the choice lists when an entry box gets the focus: by the chosen code, the slot
// and, for a few codes, the text of a lower slot. Lists are read afresh from the turn data
// at every focus; within one focus event each source is read once and shared by every box
// it fills.
class SlotFocusRules {
public:
    SlotFocusRules(OrderForm& form, const TurnData& turnData)
        : m_form(form)
        , m_turnData(turnData)
    {
    }

    void onSlotFocus(int slot);

private:
    class Sources;
    void slot1(const QString& code, Sources& sources);
    void slot2(const QString& code, Sources& sources);
    void slot3(const QString& code, Sources& sources);
    void slot4(const QString& code, Sources& sources);
    void slot5(const QString& code, Sources& sources);
    void laterSlot(int slot, const QString& code, Sources& sources);
    void nencSlot2(Sources& sources);
    void acSlot3(Sources& sources);
    void cargoLists(const ChoiceList& slot3Head, Sources& sources);
    void fillOdd(int from, int to, const ChoiceList& list);
    void setTextSelected(int slot, const QString& text);

    OrderForm& m_form;
    const TurnData& m_turnData;
};

} // namespace vf
