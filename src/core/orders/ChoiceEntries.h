#pragma once

#include <QString>

namespace vf::entrytext {

// The display texts of the turn data's list entries. A value the file left empty shows as
// empty text.
QString fleet(int id, const QString& name);                                   // "12 Home Guard"
QString army(int id, const QString& name);                                    // "3 First Legion"
QString commander(const QString& rank, const QString& name, int id);          // "Admiral Vole # 45"
QString populationGroup(int id, const QString& system, const QString& orbit); // "7 (Tarsis-3)"
// "5 Sol -B- Vega" for destination "VegaB"; "9" + 11 blanks + "[ 3 ]" for "?3" (unknown).
QString warpPoint(int id, const QString& star, const QString& destination);

} // namespace vf::entrytext
