#pragma once

#include <QLabel>

// A one-line label whose text keeps its descenders, underscores and dots within the label's
// height: set at the label's font where the ink fits (smaller where it does not), its
// baseline at 0.88 em where a Japanese font's em box ends, raised as far as the text's ink
// needs. The label's geometry and font stay as laid out.
class FittedLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
};
