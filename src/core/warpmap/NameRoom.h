#pragma once

#include <QHash>
#include <QRectF>

#include <vector>

namespace vf {

// The room on a drawing that names already take: a name is written only where it covers none
// written before. Boxes are found through a grid of cells, so each test looks at the few boxes
// nearby whatever the number of names.
class NameRoom {
public:
    // Takes the room when nothing written covers it; false (and nothing taken) when something does.
    bool take(const QRectF& box);
    // Whether nothing written covers the room.
    bool isFree(const QRectF& box) const;

private:
    template <typename Visit> static void forEachCell(const QRectF& box, Visit visit);

    std::vector<QRectF> m_taken;
    QHash<qint64, std::vector<int>> m_cells; // the boxes that reach into each cell
};

} // namespace vf
