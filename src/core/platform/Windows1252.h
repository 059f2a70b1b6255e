#pragma once

#include <QByteArray>
#include <QString>

namespace vf {

// Encodes text in Windows-1252, the 8-bit code page of the game company's systems.
// A character the code page cannot hold becomes '?'.
QByteArray toWindows1252(const QString& text);

} // namespace vf
