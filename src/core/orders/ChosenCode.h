#pragma once

namespace vf {

class OrderForm;

// Sets the window up for the code in the chooser: resets every box, then, when the player
// changed the chooser, shows the code's slots at its layout with their prompts and its
// description line. Text that is no code empties the chooser.
void applyChosenCode(OrderForm& form);

// Empties and hides every entry box, the prompts, the description line and the chooser, and
// puts the focus into the chooser: the window after an order is stored.
void resetForNextOrder(OrderForm& form);

} // namespace vf
