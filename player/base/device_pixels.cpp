#include "base/device_pixels.h"

#include <QPaintDevice>

#include <algorithm>

double PainterRatio(const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    return device ? device->devicePixelRatioF() : 1.0;
}

DevicePixelPainting::DevicePixelPainting(QPainter &painter)
    : painter_(painter), scale_(PainterRatio(painter))
{
    const double ratio = scale_.Ratio();
    if (ratio == 1.0)
        return;
    painter_.save();
    saved_ = true;
    painter_.setWorldTransform(QTransform::fromScale(1.0 / ratio, 1.0 / ratio), true);
    QFont font = painter_.font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * ratio);
    else if (font.pixelSize() > 0)
        font.setPixelSize(RoundToInt32(font.pixelSize() * ratio));
    painter_.setFont(font);
}

DevicePixelPainting::~DevicePixelPainting()
{
    if (saved_)
        painter_.restore();
}

QImage DevicePixelCopy(const QImage &picture, double ratio)
{
    if (picture.isNull())
        return picture;
    const double scale = ratio / picture.devicePixelRatio();
    QImage copy = picture;
    if (scale != 1.0)
        copy = picture.scaled(std::max(1, RoundToInt32(picture.width() * scale)),
                              std::max(1, RoundToInt32(picture.height() * scale)),
                              Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    copy.setDevicePixelRatio(1.0);
    return copy;
}
