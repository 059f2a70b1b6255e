#include "ChosenCode.h"

#include "OrderCatalogue.h"
#include "OrderForm.h"
#include "model/Order.h"

namespace vf {

namespace {

// Empties every entry box and hides all but, when asked, slot 1.
void emptyBoxes(OrderForm& form, bool showSlotOne)
{
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        form.setSlotText(slot, QString());
        form.setSlotVisible(slot, showSlotOne && slot == 1);
    }
}

// Empties the description line, every prompt and every choice list.
void emptyPromptsAndLists(OrderForm& form)
{
    form.setDescription(QString());
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        form.setPrompt(slot, QString());
        form.clearSlot(slot);
    }
}

void hideAllSlots(OrderForm& form)
{
    form.applyLayout(0);
    emptyBoxes(form, false);
}

bool takesNoBoxes(const QString& code)
{
    return code == QLatin1String("RTD") || code == QLatin1String("TREE") ||
           code == QLatin1String("PRIV");
}

void showEntry(OrderForm& form, const CatalogueEntry& entry)
{
    form.applyLayout(entry.layout);
    for (int slot = 1; slot <= entry.slotCount; ++slot)
        form.setSlotVisible(slot, true);
    form.setDescription(entry.description);
    for (int slot = 1; slot <= entry.slotCount; ++slot)
        form.setPrompt(slot, entry.prompts.at(slot - 1));
    if (entry.code == QLatin1String("MESS")) {
        form.showMessageTemplates(catalogue::messageTemplates());
        form.setChoices(2,
                        choicesOf({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    }
}

} // namespace

void applyChosenCode(OrderForm& form)
{
    emptyBoxes(form, true);
    emptyPromptsAndLists(form);
    if (!form.codeChanged())
        return;
    const QString code = form.code();
    const CatalogueEntry* entry = catalogue::find(code);
    if (entry && takesNoBoxes(code)) {
        hideAllSlots(form);
        form.setDescription(entry->description);
    } else if (entry) {
        showEntry(form, *entry);
    } else {
        hideAllSlots(form);
        form.setDescription(QString());
        form.setCode(QString());
    }
    form.setNotice(entry || code.trimmed().isEmpty() ? QString() : noCodeNotice(code));
    form.setCodeChanged(false);
}

QString codeNotice(const QString& typed)
{
    const QString word = typed.trimmed();
    constexpr int kShortestWord = 3;
    if (word.size() < kShortestWord)
        return {};
    for (const QString& code : catalogue::chooserCodes()) {
        if (code.startsWith(word, Qt::CaseInsensitive))
            return {}; // the type-ahead finds it
    }
    QStringList found;
    for (const QString& code : catalogue::codesMeaning(word))
        found << code + QStringLiteral(" (") + catalogue::meaningOf(code) + QLatin1Char(')');
    if (found.isEmpty())
        return {};
    return QStringLiteral("Codes for \u201c%1\u201d: %2")
        .arg(word, found.join(QStringLiteral(", ")));
}

QString noCodeNotice(const QString& typed)
{
    const QString codes = codeNotice(typed);
    const QString said =
        QStringLiteral("\u201c%1\u201d is not an order code; choose one from the list.")
            .arg(typed.trimmed());
    return codes.isEmpty() ? said : said + QLatin1Char(' ') + codes;
}

void resetForNextOrder(OrderForm& form)
{
    emptyBoxes(form, false);
    emptyPromptsAndLists(form);
    form.hideMessageTemplates(); // nothing left for them to help with
    form.setCode(QString());
    form.setNotice(QString());
    form.focusChooser();
}

} // namespace vf
