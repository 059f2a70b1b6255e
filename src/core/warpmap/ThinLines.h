#pragma once

#include <QColor>
#include <QLineF>
#include <QList>
#include <QRect>

class QPainter;

namespace vf {

// Draws lines one pixel wide without smoothing, as a crowded map's links are. On a picture or a
// window whose painter has no transform of its own, short lines are set pixel by pixel into a
// layer laid over it: far quicker, for thousands of lines, than the painter's own drawing,
// which readies each line on its own. Anything else (an SVG, a long line) is left to the painter.
void drawThinLines(QPainter& painter, const QList<QLineF>& lines, const QColor& colour);

// Fills the squares with the colour, set likewise straight into a layer where the painter allows
// (a crowded map's marks, thousands of a few pixels each), else by the painter.
void fillSquares(QPainter& painter, const QList<QRect>& squares, const QColor& colour);

} // namespace vf
