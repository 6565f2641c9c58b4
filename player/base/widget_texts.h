#pragma once

class QWidget;

// Makes the texts of plain labels, check boxes, radio buttons and push buttons show whole in
// whatever language they were translated to.
namespace WidgetTexts {

// Whether the widget is one whose text is fitted here: a check box, a radio button, a push
// button or a plain label of plain text (labels of their own kinds set their texts themselves).
bool Checked(const QWidget *widget);
// The width the widget's text needs (its widest line), and the width the widget gives it: a
// label's contents, the part of a check box or radio button right of its indicator, the inside
// of a push button's frame.
int Needed(const QWidget *widget);
int Room(const QWidget *widget);

// For `widget` whose text needs more room than it was laid out with: it grows to the right
// into the free space beside it (up to the next control on its rows or its window's edge), and
// where that is not enough its font gets smaller until the text fits. A text that fits is left
// as it is, so a layout made for it does not change.
void Fit(QWidget *widget);

// Fit for every widget under `root`.
void FitAll(QWidget *root);

} // namespace WidgetTexts
