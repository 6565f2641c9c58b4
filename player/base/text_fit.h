#pragma once

#include <QFont>
#include <QString>

// Fitting one line of text into a box of whole pixels by the font's own metrics. The fonts
// that stand in for the design's reach further above and below their baseline, so a text set
// as the design set it can lose its top or its descenders, underscores and dots.
namespace TextFit {

// The font at the largest pixel size, not above the font's own, at which the ink of text fits
// within width × height pixels when drawn from x = 0 (width 0: any width). The smallest size
// tried is 6 pixels.
QFont FitFont(QFont font, const QString &text, int width, int height);

// The baseline, as near to preferred as it can be, at which the ink of text in font lies
// within rows 0 to height - 1 (where the ink is taller than that: its top row is 0).
int FitBaseline(const QFont &font, const QString &text, int height, int preferred);

} // namespace TextFit
