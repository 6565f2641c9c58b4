#pragma once

#include <QColor>
#include <QPainter>

// Shades the area between the segment (x1, y1)-(x2, y2) and the line y = base (all in twips)
// with vertical strokes of the colour on the even pixel columns of the picture from x1 to x2.
void HatchedFill(QPainter &painter, double x1, double y1, double x2, double y2, double base,
                 const QColor &colour);
