#pragma once

#include <QString>
#include <QStringList>

namespace vf {

// What the program knows of one order code: its description line, the field layout of the
// entry window (0 to 4 header slots), how many slots it takes and the prompt of each.
struct CatalogueEntry {
    QString code;
    QString baseCode; // an X-variant shares its base code's entry
    QString description;
    int layout = 0;
    int slotCount = 0;
    QStringList prompts; // prompts[k-1] for slot k
};

namespace catalogue {

// The 82 codes offered by the code chooser, in the chooser's order.
const QStringList& chooserCodes();
// What the code means, from its description line: "Move to Warp Point" for MOVE and XMOVE;
// empty for a code the catalogue does not hold.
QString meaningOf(const QString& code);
// The codes whose meaning holds the word (any letter case), in the chooser's order.
QStringList codesMeaning(const QString& word);

// The entry of a code, compared exactly (case and blanks matter); nullptr for no code.
const CatalogueEntry* find(const QString& code);

// A slot's prompt as the name of the slot: "      Item #1   ------->" is "Item #1"; a slot
// without a prompt is "Slot <n>".
QString slotName(const QString& prompt, int slot);

// The three message templates shown for MESS, joined by CR LF.
QString messageTemplates();

} // namespace catalogue
} // namespace vf
