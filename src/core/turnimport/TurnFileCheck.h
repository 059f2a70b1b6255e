#pragma once

#include <QString>
#include <optional>

namespace vf {

// Cheap checks before a turn results file (or another file of that kind, named by what) is
// handed to the reader: it exists, is a regular file of at least one page, and starts like an
// Access (Jet 3 or Jet 4) database. Returns why the file is unusable, or nothing when it
// passes.
std::optional<QString> checkTurnFile(const QString& path,
                                     const QString& what = QStringLiteral("a turn results file"));

} // namespace vf
