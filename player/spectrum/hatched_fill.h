#pragma once

#include "base/device_pixels.h"

#include <QColor>
#include <QPainter>

#include <vector>

class DirectRaster;

// Shades the area between the segment (x1, y1)-(x2, y2) and the line y = base (all in twips)
// with vertical strokes of the colour on the even (device) pixel columns of the picture from x1
// to x2.
// Each stroke runs from the segment down to the row above the base.
void HatchedFill(QPainter &painter, double x1, double y1, double x2, double y2, double base,
                 const QColor &colour);

// Strokes of hatched fills that share one base and colour, gathered as the top row stroked in
// each pixel column and drawn together: the same pixels as stroking each fill at once, but
// written row by row and each pixel once.
class HatchCoverage
{
public:
    void Reset(int width, int baseRow);
    int BaseRow() const { return baseRow_; }
    // False when the column lies outside the coverage.
    bool Add(int column, int topRow);
    void Draw(DirectRaster &raster, QRgb colour) const;
    // The top row stroked per column (INT_MAX: none), and whether any stroke since Reset was
    // drawn straight away instead of gathered (below the base or outside the columns).
    const std::vector<int> &Tops() const { return tops_; }
    bool Spilled() const { return spilled_; }
    void MarkSpilled() { spilled_ = true; }

private:
    std::vector<int> tops_;
    int baseRow_ = 0;
    bool spilled_ = false;
};

// The same on a raster whose pixels are `px`; with `coverage` (made for this base) the strokes
// above the base are gathered there instead of drawn.
void HatchedFill(DirectRaster &raster, double x1, double y1, double x2, double y2, double base,
                 QRgb colour, HatchCoverage *coverage = nullptr,
                 const PixelScale &px = PixelScale());
