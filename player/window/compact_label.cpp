#include "window/compact_label.h"

#include <QFontInfo>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

void CompactLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const int pixels = QFontInfo(font()).pixelSize();
    const int step = pixels + 1;
    const qreal firstBaseline = std::ceil(pixels * 0.88);

    QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
    option.setWrapMode(wordWrap() ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                  : QTextOption::NoWrap);
    QString all = text();
    all.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    int row = 0;
    for (const QString &paragraph : all.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width());
            line.setPosition(QPointF(0, row * step + firstBaseline - line.ascent()));
            ++row;
        }
        layout.endLayout();
        layout.draw(&painter, QPointF(0, 0));
    }
}
