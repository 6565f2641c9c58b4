#include "spectrum/hatched_fill.h"

#include "spectrum/twips.h"

#include <cstdint>

void HatchedFill(QPainter &painter, double x1, double y1, double x2, double y2, double base,
                 const QColor &colour)
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
        // The stroke runs from the slope down to, not including, the base row.
        const int row = static_cast<int>(std::floor(py1 + static_cast<double>(py2 - py1) * d / n));
        if (row < baseRow)
            painter.fillRect(column, row, 1, baseRow - row, colour);
        else if (row > baseRow)
            painter.fillRect(column, baseRow + 1, 1, row - baseRow, colour);
    }
}
