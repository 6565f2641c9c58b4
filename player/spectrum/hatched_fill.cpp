#include "spectrum/hatched_fill.h"

#include "spectrum/direct_raster.h"
#include "spectrum/twips.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

void HatchedFill(QPainter &painter, double x1, double y1, double x2, double y2, double base,
                 const QColor &colour)
{
    DirectRaster raster(painter);
    HatchedFill(raster, x1, y1, x2, y2, base, colour);
}

void HatchedFill(DirectRaster &raster, double x1, double y1, double x2, double y2, double base,
                 const QColor &colour, std::vector<int> *reach)
{
    const int px1 = TwipsToPixel(x1);
    const int py1 = TwipsToPixel(y1);
    const int py2 = TwipsToPixel(y2);
    int n = static_cast<int16_t>(TwipsToPixel(x2) - px1);
    if (n == 0)
        n = 1;
    const int baseRow = TwipsToPixel(base);
    for (int d = (px1 & 1); d < n; d += 2) {
        const int column = static_cast<int16_t>(px1 + d);
        if (column % 2 != 0)
            continue;
        const int row = static_cast<int>(std::floor(py1 + static_cast<double>(py2 - py1) * d / n));
        if (row < baseRow) {
            int bottom = baseRow - 1;
            if (reach && column >= 0 && static_cast<std::size_t>(column) < reach->size()) {
                int &top = (*reach)[static_cast<std::size_t>(column)];
                bottom = std::min(bottom, top - 1);
                top = std::min(top, row);
            }
            if (bottom >= row)
                raster.Column(column, row, bottom, colour);
        } else if (row > baseRow)
            raster.Column(column, baseRow + 1, row, colour);
    }
}
