#include "analyzer/overlay.h"

#include "base/device_pixels.h"
#include "base/palette.h"
#include "base/rounding.h"
#include "base/text_fit.h"
#include "base/twips.h"

#include <QFontMetrics>

#include <algorithm>

void CountFrame(FrameRateState &state, int64_t nowMs)
{
    if (state.startTick == 0)
        state.startTick = nowMs;
    ++state.frameCount;
    if (state.frameCount < 10)
        return;
    const int64_t elapsed = nowMs - state.startTick;
    // Ten frames within the same millisecond leave the figure as it was.
    if (elapsed > 0)
        state.framesPerSecond = static_cast<float>(10000.0 / static_cast<double>(elapsed));
    state.startTick = nowMs;
    state.frameCount = 0;
}

QString FrameRateText(float framesPerSecond)
{
    return QString::number(static_cast<double>(framesPerSecond), 'f', 1) + QStringLiteral("fps");
}

void DrawFrameRateOverlay(QPainter &painter, FrameRateState &state, double widthTwips,
                          int64_t nowMs)
{
    CountFrame(state, nowMs);
    const DevicePixelPainting devicePixels(painter);
    const PixelScale &px = devicePixels.Scale();
    const double x0 = RoundHalfEven(widthTwips - 640);
    const int left = px.Down(x0);
    const QRect box(QPoint(left, 0), QPoint(px.Down(widthTwips) - 1, px.Down(240) - 1));
    painter.fillRect(box, Palette::FrameRateBox);
    // The figure is set in the painter's font, made smaller where it would overflow the box,
    // and as near below the top of the box as it can be without crossing its bottom.
    const QString text = FrameRateText(state.framesPerSecond);
    const QFont font = TextFit::FitFont(painter.font(), text, box.width(), box.height());
    const int preferred = px.Down(30) + QFontMetrics(font).ascent();
    painter.save();
    painter.setFont(font);
    painter.setPen(Palette::FrameRateText);
    painter.drawText(left, TextFit::FitBaseline(font, text, box.height(), preferred), text);
    painter.restore();
}

void BlankFrameRateCorner(QImage &canvas)
{
    QPainter painter(&canvas);
    const DevicePixelPainting devicePixels(painter);
    const PixelScale &px = devicePixels.Scale();
    const double logicalWidth = canvas.width() / px.Ratio();
    const int left =
        px.Down(std::max(0.0, double(RoundHalfEven(logicalWidth * TwipsPerPixel)) - 640.0));
    painter.fillRect(QRect(left, 0, canvas.width() - left, px.Down(240)), Palette::FrameRateBox);
}
