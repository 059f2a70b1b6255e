#pragma once

#include <QString>

#include <optional>

namespace vf {

class Dialogs;

// The file to save to: the name chosen with the extension added when it has not got it. When
// the name so made is of a file that exists, the save dialogue asked nothing about it: the
// player is asked before it is replaced (No at first). Nothing when they say No.
std::optional<QString> saveFileNamed(Dialogs& dialogs, const QString& chosen,
                                     const QString& extension);

} // namespace vf
