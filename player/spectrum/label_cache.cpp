#include "spectrum/label_cache.h"

#include <QFontMetrics>

void LabelCache::Draw(QPainter &painter, int x, int y, const QString &text, const QColor &colour)
{
    const QFont font = painter.font();
    const QString key = font.key();
    if (key != fontKey_ || colour.rgb() != colour_) {
        images_.clear();
        fontKey_ = key;
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
}
