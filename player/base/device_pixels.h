#pragma once

#include "base/twips.h"

#include <QImage>
#include <QPainter>

// Twips to the pixels of a picture held at `ratio` device pixels to each logical pixel (the
// screen's device pixel ratio): a device pixel is 15 / ratio twips. At ratio 1 every
// conversion is the plain one of twips.h.
class PixelScale
{
public:
    explicit PixelScale(double ratio = 1.0) : ratio_(ratio > 0.0 ? ratio : 1.0) {}

    double Ratio() const { return ratio_; }
    int Down(double twips) const { return TwipsToPixelDown(twips * ratio_); }
    int Nearest(double twips) const { return TwipsToPixelNearest(twips * ratio_); }
    double Exact(double twips) const { return TwipsToPixelExact(twips * ratio_); }
    // A length given in logical pixels, in whole device pixels (at least 1 for a positive one).
    int Pixels(int logical) const
    {
        const int device = RoundToInt32(logical * ratio_);
        return logical > 0 && device < 1 ? 1 : device;
    }

private:
    double ratio_;
};

// For the life of this object, `painter` draws in the device pixels of its picture: one unit
// is one device pixel, and the font grows by the device pixel ratio so that texts keep their
// size and are laid out at the device's resolution. A picture of ratio 1 is left as it is.
class DevicePixelPainting
{
public:
    explicit DevicePixelPainting(QPainter &painter);
    ~DevicePixelPainting();
    DevicePixelPainting(const DevicePixelPainting &) = delete;
    DevicePixelPainting &operator=(const DevicePixelPainting &) = delete;

    const PixelScale &Scale() const { return scale_; }

private:
    QPainter &painter_;
    PixelScale scale_;
    bool saved_ = false;
};

// The device pixel ratio of the picture a painter draws on (1 without one).
double PainterRatio(const QPainter &painter);

// `picture` resampled to the device pixels it covers at `ratio` (its own ratio taken into
// account), held at ratio 1: for copying pixel for pixel onto a picture drawn in device pixels.
QImage DevicePixelCopy(const QImage &picture, double ratio);
