#pragma once

#include <QColor>
#include <QPainter>

#include <vector>

class DirectRaster;

// Shades the area between the segment (x1, y1)-(x2, y2) and the line y = base (all in twips)
// with vertical strokes of the colour on the even pixel columns of the picture from x1 to x2.
// Each stroke runs from the segment down to the row above the base.
void HatchedFill(QPainter &painter, double x1, double y1, double x2, double y2, double base,
                 const QColor &colour);

// The same on a raster. Fills that share one base and colour may share `reach`, the top row
// already stroked in each pixel column (one entry per column, INT_MAX where none): only what a
// stroke adds above it is drawn, which leaves the same pixels at a fraction of the writes.
void HatchedFill(DirectRaster &raster, double x1, double y1, double x2, double y2, double base,
                 const QColor &colour, std::vector<int> *reach = nullptr);
