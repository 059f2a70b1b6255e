#pragma once

#include "ChoiceList.h"

#include <QString>

namespace vf {

// The order entry window as the order rules see it: the code chooser, the description line,
// the 51 entry boxes (slot 1 to 51) with their prompts, and the message templates box. The
// window implements it over its widgets; tests use an in-memory form.
class OrderForm {
public:
    virtual ~OrderForm() = default;

    // The code chooser.
    virtual QString code() const = 0;
    virtual void setCode(const QString& code) = 0;
    // Set when the player changes the chooser's text or picks an entry.
    virtual bool codeChanged() const = 0;
    virtual void setCodeChanged(bool changed) = 0;

    virtual void setDescription(const QString& text) = 0;
    virtual QString description() const = 0;
    // One line under the code box, for the player: a typed word's codes, or text that is no
    // code. Empty: no line.
    virtual void setNotice(const QString& text) = 0;
    virtual QString notice() const = 0;

    // Entry boxes. Setting choices first empties the box (list and text).
    virtual QString slotText(int slot) const = 0;
    virtual void setSlotText(int slot, const QString& text) = 0;
    virtual void setChoices(int slot, const ChoiceList& choices) = 0;
    virtual ChoiceList choices(int slot) const = 0;
    // The list position of the entry the box shows, or -1 when its text is not (or no
    // longer) the text of a picked entry.
    virtual int selectedEntry(int slot) const = 0;
    // Selects the first `length` characters of the box's text, so typing replaces them.
    virtual void selectText(int slot, int length) = 0;
    virtual void setSlotVisible(int slot, bool visible) = 0;
    virtual bool isSlotVisible(int slot) const = 0;

    virtual void setPrompt(int slot, const QString& text) = 0;
    virtual QString prompt(int slot) const = 0;
    virtual void setPromptVisible(int slot, bool visible) = 0;

    // Places the boxes for layout 0 to 4 and hides the message templates.
    virtual void applyLayout(int layout) = 0;
    virtual void showMessageTemplates(const QString& text) = 0;
    virtual void hideMessageTemplates() = 0;

    virtual void focusSlot(int slot) = 0;
    virtual void focusChooser() = 0;

    void clearSlot(int slot) { setChoices(slot, {}); }
};

} // namespace vf
