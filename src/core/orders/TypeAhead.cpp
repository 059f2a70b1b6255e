#include "TypeAhead.h"

namespace vf {

std::optional<TypeAheadMatch> autoCompleteCombo(const ChoiceList& entries, const QString& text,
                                                int caret, QChar key)
{
    if (key.unicode() < 0x20)
        return std::nullopt;
    const QString typed = text.left(caret) + key;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString& entry = entries.at(i).text;
        if (entry.startsWith(typed, Qt::CaseInsensitive)) {
            return TypeAheadMatch{static_cast<int>(i), entry, static_cast<int>(typed.size()),
                                  static_cast<int>(entry.size())};
        }
    }
    return std::nullopt;
}

} // namespace vf
