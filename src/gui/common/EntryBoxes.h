#pragma once

class QComboBox;
class QLineEdit;

namespace vf {

// Makes an editable combo box behave as the order and empire boxes need: typing never
// adds entries, nothing is completed behind the player's back, and an entry counts as
// picked only when the player picks it (Qt would otherwise pick an entry whose text was
// typed in full when the box loses the focus).
// Its text is kept on one line as well (see keepOnOneLine), and the mouse wheel never gives
// it the focus.
void makePickOnlyComboBox(QComboBox* box);

// Typed or pasted, a line break or another control character becomes a single blank.
void keepOnOneLine(QLineEdit* edit);

} // namespace vf
