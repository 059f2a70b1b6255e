#include "WidgetOrderForm.h"

#include "ChoiceListModel.h"
#include "common/ScreenMetrics.h"
#include "common/Twips.h"
#include "orders/FieldLayouts.h"
#include "orders/OrderCatalogue.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

namespace vf {

WidgetOrderForm::WidgetOrderForm(OrderFormWidgets widgets, const ScreenMetrics& screen)
    : m_widgets(std::move(widgets))
    , m_screen(screen)
{
}

QString WidgetOrderForm::code() const
{
    return m_widgets.chooser->currentText();
}

void WidgetOrderForm::setCode(const QString& code)
{
    m_widgets.chooser->setCurrentIndex(-1);
    m_widgets.chooser->setEditText(code);
}

void WidgetOrderForm::setDescription(const QString& text)
{
    m_widgets.description->setText(text);
    m_widgets.description->setToolTip(text); // the whole line, when it is wider than the box
    m_widgets.description->setCursorPosition(0);
}

void WidgetOrderForm::setNotice(const QString& text)
{
    m_widgets.notice->setText(text);
    m_widgets.notice->setVisible(!text.isEmpty());
    m_widgets.notice->raise();
}

QString WidgetOrderForm::notice() const
{
    return m_widgets.notice->text();
}

QString WidgetOrderForm::description() const
{
    return m_widgets.description->text();
}

QString WidgetOrderForm::slotText(int slot) const
{
    return box(slot)->currentText();
}

void WidgetOrderForm::setSlotText(int slot, const QString& text)
{
    box(slot)->setEditText(text);
}

void WidgetOrderForm::setChoices(int slot, const ChoiceList& choices)
{
    QComboBox* combo = box(slot);
    // Clearing a box that has no entries needs no new list.
    if (!choices.isEmpty() || combo->count() > 0) {
        // The box deletes the model it replaces, since the box owns it.
        combo->setModel(new ChoiceListModel(choices, combo));
    }
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
}

ChoiceList WidgetOrderForm::choices(int slot) const
{
    const auto* model = qobject_cast<const ChoiceListModel*>(box(slot)->model());
    return model ? model->choices() : ChoiceList();
}

int WidgetOrderForm::selectedEntry(int slot) const
{
    // A combo box keeps its current index after the player types over the picked text; the
    // entry counts as picked only while the box still shows its text.
    const QComboBox* combo = box(slot);
    const int index = combo->currentIndex();
    if (index < 0 || combo->itemText(index) != combo->currentText())
        return -1;
    return index;
}

void WidgetOrderForm::selectText(int slot, int length)
{
    if (QLineEdit* edit = box(slot)->lineEdit())
        edit->setSelection(0, length);
}

void WidgetOrderForm::setSlotVisible(int slot, bool visible)
{
    box(slot)->setVisible(visible);
}

bool WidgetOrderForm::isSlotVisible(int slot) const
{
    return !box(slot)->isHidden();
}

void WidgetOrderForm::setPrompt(int slot, const QString& text)
{
    m_widgets.prompts.at(slot - 1)->setText(text);
    // A screen reader names the box by its prompt; the prompt itself only shows it.
    box(slot)->setAccessibleName(catalogue::slotName(text, slot));
}

QString WidgetOrderForm::prompt(int slot) const
{
    return m_widgets.prompts.at(slot - 1)->text();
}

void WidgetOrderForm::setPromptVisible(int slot, bool visible)
{
    m_widgets.prompts.at(slot - 1)->setVisible(visible);
}

void WidgetOrderForm::applyLayout(int layout)
{
    placeBoxes(layout);
    hideMessageTemplates();
    if (layouts::compactPlacement(m_screen.screenWidth()))
        placeButtons(true);
}

void WidgetOrderForm::placeBoxes(int layout)
{
    const bool compact = layouts::compactPlacement(m_screen.screenWidth());
    for (int index = 0; index < m_widgets.boxes.size(); ++index) {
        const layouts::BoxPlacement place = layouts::placeBox(layout, index, compact);
        placeTwips(m_widgets.boxes.at(index), place.left, place.entryTop, place.width,
                   layouts::kEntryHeight);
        QLabel* prompt = m_widgets.prompts.at(index);
        placeTwips(prompt, place.left, place.promptTop, place.width, layouts::kPromptHeight);
        prompt->setVisible(true);
    }
}

void WidgetOrderForm::placeButtons(bool compact)
{
    const layouts::ButtonLefts lefts = layouts::buttonLefts(compact);
    placeTwips(m_widgets.mainMenu, lefts.mainMenu, 7560, 2055, 495);
    placeTwips(m_widgets.editOrders, lefts.editOrders, 7560, 2055, 495);
    placeTwips(m_widgets.saveOrder, lefts.saveOrder, 7560, 2055, 495);
}

void WidgetOrderForm::showMessageTemplates(const QString& text)
{
    m_widgets.templates->setPlainText(
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_widgets.templates->show();
}

void WidgetOrderForm::hideMessageTemplates()
{
    m_widgets.templates->hide();
}

void WidgetOrderForm::focusSlot(int slot)
{
    box(slot)->setFocus(Qt::OtherFocusReason);
}

void WidgetOrderForm::focusChooser()
{
    m_widgets.chooser->setFocus(Qt::OtherFocusReason);
}

} // namespace vf
