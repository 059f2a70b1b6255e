#pragma once

#include "ChoiceList.h"

#include <QString>
#include <optional>

namespace vf {

struct TypeAheadMatch {
    int index = -1; // the list entry completed to
    QString text;   // the box's new text: the whole entry
    int selectionStart = 0;
    int selectionLength = 0; // the completed rest is selected, so the next key replaces it
};

// The type-ahead of the code chooser and slots 1 and 2: the text before the caret plus the
// key typed, completed to the first entry that begins with it, letter case ignored. No
// match (and Enter or any other control key) leaves the key to the box.
std::optional<TypeAheadMatch> autoCompleteCombo(const ChoiceList& entries, const QString& text,
                                                int caret, QChar key);

} // namespace vf
