#pragma once

#include <QString>

namespace vf {

// Copies a file whole under a temporary name beside the target, then renames it over the
// target: the target is either the old file or the complete copy. Throws vf::Error.
void copyFileWhole(const QString& source, const QString& target);

} // namespace vf
