#include "window/fitted_label.h"

#include "base/text_fit.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include <cmath>

void FittedLabel::paintEvent(QPaintEvent *)
{
    const QString line = text();
    if (line.isEmpty())
        return;
    const QFont fitted = TextFit::FitFont(font(), line, 0, height());
    const int preferred = static_cast<int>(std::lround(QFontInfo(fitted).pixelSize() * 0.88));
    const int baseline = TextFit::FitBaseline(fitted, line, height(), preferred);
    const int advance = QFontMetrics(fitted).horizontalAdvance(line);
    int x = 0;
    if (alignment() & Qt::AlignRight)
        x = width() - advance;
    else if (alignment() & Qt::AlignHCenter)
        x = (width() - advance) / 2;

    QPainter painter(this);
    painter.setFont(fitted);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(x, baseline, line);
}
