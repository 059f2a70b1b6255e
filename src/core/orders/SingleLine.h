#pragma once

#include <QString>

namespace vf {

// An order is one line of the orders file, so no value of it may hold a line break or another
// control character: each becomes a single blank.
bool isControlCharacter(QChar c);
QString onOneLine(const QString& text);

} // namespace vf
