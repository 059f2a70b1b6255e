#pragma once

#include <QString>
#include <optional>

namespace vf {

// The number at the start of a text, as the game's forms read it: leading blanks skipped,
// an optional sign, digits and an optional decimal fraction; 0 when the text does not
// start with a number ("12 (Tarsis-3)" gives 12, " " and "abc" give 0).
double leadingNumber(const QString& text);

// The whole text read as a 32-bit whole number (surrounding blanks allowed); nothing when
// the text is anything else ("12abc", "1 OR 1=1", "", "99999999999").
std::optional<int> wholeNumber(const QString& text);

} // namespace vf
