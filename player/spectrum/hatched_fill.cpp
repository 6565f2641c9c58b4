#include "spectrum/hatched_fill.h"

#include "base/twips.h"
#include "spectrum/direct_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

void HatchedFill(QPainter &painter, double x1, double y1, double x2, double y2, double base,
                 const QColor &colour)
{
    const DevicePixelPainting devicePixels(painter);
    DirectRaster raster(painter);
    HatchedFill(raster, x1, y1, x2, y2, base, colour.rgb(), nullptr, devicePixels.Scale());
}

void HatchCoverage::Reset(int width, int baseRow)
{
    tops_.assign(static_cast<std::size_t>(std::max(width, 0)), std::numeric_limits<int>::max());
    baseRow_ = baseRow;
    spilled_ = false;
}

bool HatchCoverage::Add(int column, int topRow)
{
    if (column < 0 || static_cast<std::size_t>(column) >= tops_.size())
        return false;
    int &top = tops_[static_cast<std::size_t>(column)];
    top = std::min(top, topRow);
    return true;
}

void HatchCoverage::Draw(DirectRaster &raster, QRgb colour) const
{
    raster.ColumnsDownTo(tops_, baseRow_, colour);
}

void HatchedFill(DirectRaster &raster, double x1, double y1, double x2, double y2, double base,
                 QRgb colour, HatchCoverage *coverage, const PixelScale &px)
{
    const int px1 = px.Down(x1);
    const int py1 = px.Down(y1);
    const int py2 = px.Down(y2);
    int n = static_cast<int16_t>(px.Down(x2) - px1);
    if (n == 0)
        n = 1;
    const int baseRow = px.Down(base);
    for (int d = (px1 & 1); d < n; d += 2) {
        const int column = static_cast<int16_t>(px1 + d);
        if (column % 2 != 0)
            continue;
        const int row = static_cast<int>(std::floor(py1 + static_cast<double>(py2 - py1) * d / n));
        if (row < baseRow) {
            if (coverage && coverage->BaseRow() == baseRow && coverage->Add(column, row))
                continue;
            raster.Column(column, row, baseRow - 1, colour);
        } else if (row > baseRow) {
            raster.Column(column, baseRow + 1, row, colour);
        } else {
            continue;
        }
        if (coverage)
            coverage->MarkSpilled();
    }
}
