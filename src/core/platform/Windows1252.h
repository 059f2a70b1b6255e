#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace vf {

// Encodes text in Windows-1252, the 8-bit code page of the game company's systems.
// A character the code page cannot hold becomes '?'.
QByteArray toWindows1252(const QString& text);
// The first character of the text the code page cannot hold, if any.
std::optional<QString> firstOutsideWindows1252(const QString& text);

} // namespace vf
