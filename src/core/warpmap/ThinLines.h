#pragma once

#include <QColor>
#include <QLineF>
#include <QList>

class QPainter;

namespace vf {

// Draws lines one pixel wide without smoothing, as a crowded map's links are. On a picture or a
// window whose painter has no transform of its own, short lines are set pixel by pixel into a
// layer laid over it: far quicker, for thousands of lines, than the painter's own drawing,
// which readies each line on its own. Anything else (an SVG, a long line) is left to the painter.
void drawThinLines(QPainter& painter, const QList<QLineF>& lines, const QColor& colour);

} // namespace vf
