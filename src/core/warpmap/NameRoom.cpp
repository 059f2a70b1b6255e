#include "NameRoom.h"

#include <cmath>

namespace vf {

namespace {

constexpr double kCell = 48; // pixels: about a short name's width

qint64 cellKey(qint64 column, qint64 row)
{
    return (row << 32) ^ (column & 0xffffffff);
}

} // namespace

template <typename Visit> void NameRoom::forEachCell(const QRectF& box, Visit visit)
{
    const auto first = [](double at) { return qint64(std::floor(at / kCell)); };
    for (qint64 row = first(box.top()); row <= first(box.bottom()); ++row) {
        for (qint64 column = first(box.left()); column <= first(box.right()); ++column)
            visit(cellKey(column, row));
    }
}

bool NameRoom::isFree(const QRectF& box) const
{
    bool free = true;
    forEachCell(box, [&](qint64 key) {
        const auto cell = m_cells.constFind(key);
        if (!free || cell == m_cells.cend())
            return;
        for (const int taken : *cell) {
            if (m_taken[std::size_t(taken)].intersects(box)) {
                free = false;
                return;
            }
        }
    });
    return free;
}

bool NameRoom::take(const QRectF& box)
{
    if (!isFree(box))
        return false;
    const int index = int(m_taken.size());
    m_taken.push_back(box);
    forEachCell(box, [&](qint64 key) { m_cells[key].push_back(index); });
    return true;
}

} // namespace vf
