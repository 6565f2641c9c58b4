#pragma once

class QObject;

// Makes the one-line and multi-line texts of plain labels, check boxes and radio buttons show
// whole in whatever language they were translated to. Read and set through the widgets'
// properties (sizeHint, geometry, font), so that this layer needs no widget library.
namespace WidgetTexts {

// For `widget` whose text needs more width than it was laid out with: it grows to the right
// into the free room beside it (up to the next control on its rows or its window's edge), and
// where that is not enough its font gets smaller until the text fits. A text that fits is left
// as it is, so a layout made for it does not change.
void Fit(QObject *widget);

// Fit for every plain label (QLabel itself, not a kind that sets its own text), check box and
// radio button under `root`.
void FitAll(QObject *root);

} // namespace WidgetTexts
