#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QString>

// Texts rendered once for the painter's font and a colour, then copied onto the picture: a
// label drawn every frame costs one image copy instead of a text layout.
class LabelCache
{
public:
    // Draws the text with its top-left corner at pixel (x, y); returns the rectangle drawn.
    QRect Draw(QPainter &painter, int x, int y, const QString &text, const QColor &colour);

private:
    QFont font_;
    QRgb colour_ = 0;
    QHash<QString, QImage> images_;
};
