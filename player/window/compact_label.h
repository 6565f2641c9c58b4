#pragma once

#include <QLabel>

// A label that sets its lines as tightly as the design's fonts do: one line per em plus a
// pixel, the first baseline 0.88 em down. The fonts standing in for the design's have a
// taller line, which would push a label's last line out of the height it was laid out for.
class CompactLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
};
