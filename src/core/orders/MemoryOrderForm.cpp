#include "MemoryOrderForm.h"

namespace vf {

void MemoryOrderForm::pick(int slot, int index)
{
    Box& b = at(slot);
    b.picked = index;
    b.text = b.choices.at(index).text;
}

void MemoryOrderForm::pickText(int slot, const QString& text)
{
    const ChoiceList& list = box(slot).choices;
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).text == text) {
            pick(slot, i);
            return;
        }
    }
    qFatal("no entry \"%s\" in slot %d", qPrintable(text), slot); // a test's mistake
}

void MemoryOrderForm::chooseCode(const QString& code)
{
    m_code = code;
    m_codeChanged = true;
}

QStringList MemoryOrderForm::choiceTexts(int slot) const
{
    QStringList texts;
    for (const ChoiceEntry& entry : box(slot).choices)
        texts << entry.text;
    return texts;
}

void MemoryOrderForm::setSlotText(int slot, const QString& text)
{
    at(slot).text = text;
    at(slot).selectionLength = 0;
}

void MemoryOrderForm::setChoices(int slot, const ChoiceList& choices)
{
    Box& b = at(slot);
    b.choices = choices;
    b.text.clear();
    b.picked = -1;
    b.selectionLength = 0;
}

int MemoryOrderForm::selectedEntry(int slot) const
{
    const Box& b = box(slot);
    if (b.picked < 0 || b.picked >= b.choices.size() || b.choices.at(b.picked).text != b.text)
        return -1;
    return b.picked;
}

void MemoryOrderForm::applyLayout(int layout)
{
    m_layout = layout;
    m_templatesShown = false;
    for (Box& b : m_boxes)
        b.promptVisible = true;
}

void MemoryOrderForm::showMessageTemplates(const QString& text)
{
    m_templates = text;
    m_templatesShown = true;
}

} // namespace vf
