#pragma once

#include <QString>

namespace vf {

// Where the turn results reader lives, looked up from the folder of the running program:
// <prefix>/libexec/vfturn/ when installed (the program in <prefix>/bin/), else beside the
// program (the build folder, a Windows folder). The first place is returned when neither
// holds it, so that the message names where it was expected.
QString readerPathIn(const QString& programFolder);

// The user's guide installed with the program (the README with its pictures), looked up the
// same way: <prefix>/share/doc/vfturn/ when installed, else beside the program, else the
// source tree's README for a build folder. The first place when none holds it.
QString userGuidePath(const QString& programFolder);

} // namespace vf
