#include "spectrum/label_cache.h"

#include <QFontMetrics>

QRect LabelCache::Draw(QPainter &painter, int x, int y, const QString &text, const QColor &colour)
{
    // Comparing fonts is cheap; building a font's key text on every label was not.
    const QFont &font = painter.font();
    if (font != font_ || font.resolveMask() != font_.resolveMask() || colour.rgb() != colour_) {
        images_.clear();
        font_ = font;
        colour_ = colour.rgb();
    }
    auto it = images_.find(text);
    if (it == images_.end()) {
        const QFontMetrics metrics(font, painter.device());
        QImage image(metrics.horizontalAdvance(text) + metrics.height() / 2, metrics.height(),
                     QImage::Format_ARGB32_Premultiplied);
        if (auto *target = dynamic_cast<QImage *>(painter.device())) {
            image.setDotsPerMeterX(target->dotsPerMeterX());
            image.setDotsPerMeterY(target->dotsPerMeterY());
        }
        image.fill(Qt::transparent);
        QPainter label(&image);
        label.setFont(font);
        label.setPen(colour);
        label.drawText(0, metrics.ascent(), text);
        label.end();
        it = images_.insert(text, image);
    }
    painter.drawImage(QPoint(x, y), *it);
    return QRect(QPoint(x, y), it->size());
}
