#pragma once

#include "orders/OrderForm.h"

#include <QList>

class QComboBox;
class QLabel;
class QLineEdit;
class QTextEdit;
class QWidget;
class QPushButton;

namespace vf {

class ScreenMetrics;

// The widgets of the order entry window that the order rules work on.
struct OrderFormWidgets {
    QComboBox* chooser = nullptr;
    QLineEdit* description = nullptr;
    QList<QComboBox*> boxes; // slot k at k-1
    QList<QLabel*> prompts;  // slot k at k-1
    QTextEdit* templates = nullptr;
    QLabel* notice = nullptr;
    QPushButton* mainMenu = nullptr;
    QPushButton* editOrders = nullptr;
    QPushButton* saveOrder = nullptr;
};

// The order form over the window's widgets.
class WidgetOrderForm final : public OrderForm {
public:
    WidgetOrderForm(OrderFormWidgets widgets, const ScreenMetrics& screen);

    QString code() const override;
    void setCode(const QString& code) override;
    bool codeChanged() const override { return m_codeChanged; }
    void setCodeChanged(bool changed) override { m_codeChanged = changed; }

    void setDescription(const QString& text) override;
    void setNotice(const QString& text) override;
    QString notice() const override;
    QString description() const override;

    QString slotText(int slot) const override;
    void setSlotText(int slot, const QString& text) override;
    void setChoices(int slot, const ChoiceList& choices) override;
    ChoiceList choices(int slot) const override;
    int selectedEntry(int slot) const override;
    void selectText(int slot, int length) override;
    void setSlotVisible(int slot, bool visible) override;
    bool isSlotVisible(int slot) const override;

    void setPrompt(int slot, const QString& text) override;
    QString prompt(int slot) const override;
    void setPromptVisible(int slot, bool visible) override;

    void applyLayout(int layout) override;
    void showMessageTemplates(const QString& text) override;
    void hideMessageTemplates() override;

    void focusSlot(int slot) override;
    void focusChooser() override;

    // Places the entry and prompt boxes of a layout, leaving the buttons where they are.
    void placeBoxes(int layout);
    // Places the buttons for the compact or wide placement.
    void placeButtons(bool compact);

private:
    QComboBox* box(int slot) const { return m_widgets.boxes.at(slot - 1); }

    OrderFormWidgets m_widgets;
    const ScreenMetrics& m_screen;
    bool m_codeChanged = false;
};

} // namespace vf
