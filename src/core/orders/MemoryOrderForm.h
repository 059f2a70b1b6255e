#pragma once

#include "OrderForm.h"
#include "model/Order.h"

#include <array>

namespace vf {

// An order form held in memory: the order check puts a stored order into one to run the
// rules of the order entry window over it, and tests use one to try the rules without
// widgets.
class MemoryOrderForm final : public OrderForm {
public:
    struct Box {
        QString text;
        ChoiceList choices;
        int picked = -1;
        int selectionLength = 0;
        bool visible = false;
        QString prompt;
        bool promptVisible = true;
    };

    // What the player does: pick a list entry, or type text.
    void pick(int slot, int index);
    void pickText(int slot, const QString& text); // picks the first entry with this text
    void type(int slot, const QString& text) { setSlotText(slot, text); }
    void chooseCode(const QString& code); // types a code, setting the change mark

    const Box& box(int slot) const { return m_boxes.at(slot - 1); }
    int focusedSlot() const { return m_focus; } // 0: the chooser
    int layout() const { return m_layout; }
    bool templatesShown() const { return m_templatesShown; }
    QString templates() const { return m_templates; }
    QStringList choiceTexts(int slot) const;

    QString code() const override { return m_code; }
    void setCode(const QString& code) override { m_code = code; }
    bool codeChanged() const override { return m_codeChanged; }
    void setCodeChanged(bool changed) override { m_codeChanged = changed; }
    void setDescription(const QString& text) override { m_description = text; }
    QString description() const override { return m_description; }
    void setNotice(const QString& text) override { m_notice = text; }
    QString notice() const override { return m_notice; }
    QString slotText(int slot) const override { return box(slot).text; }
    void setSlotText(int slot, const QString& text) override;
    void setChoices(int slot, const ChoiceList& choices) override;
    ChoiceList choices(int slot) const override { return box(slot).choices; }
    int selectedEntry(int slot) const override;
    void selectText(int slot, int length) override { at(slot).selectionLength = length; }
    void setSlotVisible(int slot, bool visible) override { at(slot).visible = visible; }
    bool isSlotVisible(int slot) const override { return box(slot).visible; }
    void setPrompt(int slot, const QString& text) override { at(slot).prompt = text; }
    QString prompt(int slot) const override { return box(slot).prompt; }
    void setPromptVisible(int slot, bool visible) override { at(slot).promptVisible = visible; }
    void applyLayout(int layout) override;
    void showMessageTemplates(const QString& text) override;
    void hideMessageTemplates() override { m_templatesShown = false; }
    void focusSlot(int slot) override { m_focus = slot; }
    void focusChooser() override { m_focus = 0; }

private:
    Box& at(int slot) { return m_boxes.at(slot - 1); }

    std::array<Box, kSlotCount> m_boxes;
    QString m_code;
    bool m_codeChanged = false;
    QString m_description;
    QString m_notice;
    int m_focus = 0;
    int m_layout = -1;
    bool m_templatesShown = false;
    QString m_templates;
};

} // namespace vf
