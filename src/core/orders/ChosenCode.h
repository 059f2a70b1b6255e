#pragma once

#include <QString>

namespace vf {

class OrderForm;

// Sets the window up for the code in the chooser: resets every box, then, when the player
// changed the chooser, shows the code's slots at its layout with their prompts and its
// description line. Text that is no code empties the chooser.
void applyChosenCode(OrderForm& form);

// Empties and hides every entry box, the prompts, the description line and the chooser, and
// puts the focus into the chooser: the window after an order is stored.
void resetForNextOrder(OrderForm& form);

// The line under the code box as the player types: for a word of three letters or more that
// begins no code, the codes whose meaning holds it ("Codes for “build”: BI (Build Item), …");
// otherwise nothing, and the type-ahead goes on as ever.
QString codeNotice(const QString& typed);
// The line when Enter was pressed on text that is no code: says so, with the codes its word
// may mean.
QString noCodeNotice(const QString& typed);

} // namespace vf
