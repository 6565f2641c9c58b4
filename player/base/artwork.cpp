#include "base/artwork.h"

QImage Artwork(const QString &name, double ratio)
{
    QImage picture;
    if (ratio > 1.0) {
        picture = QImage(QStringLiteral(":/images/%1@2x.png").arg(name));
        picture.setDevicePixelRatio(2.0);
    }
    if (picture.isNull())
        picture = QImage(QStringLiteral(":/images/%1.png").arg(name));
    picture.setText(QStringLiteral("Name"), name);
    return picture;
}
