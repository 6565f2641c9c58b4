#include "base/text_fit.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>

namespace {

constexpr int SmallestPixels = 6;

bool Fits(const QFont &font, const QString &text, int width, int height)
{
    const QRect ink = QFontMetrics(font).tightBoundingRect(text);
    return ink.height() <= height && (width <= 0 || ink.x() + ink.width() <= width);
}

} // namespace

QFont TextFit::FitFont(QFont font, const QString &text, int width, int height)
{
    if (text.isEmpty() || Fits(font, text, width, height))
        return font;
    for (int pixels = QFontInfo(font).pixelSize() - 1; pixels > SmallestPixels; --pixels) {
        font.setPixelSize(pixels);
        if (Fits(font, text, width, height))
            return font;
    }
    font.setPixelSize(SmallestPixels);
    return font;
}

int TextFit::FitBaseline(const QFont &font, const QString &text, int height, int preferred)
{
    if (text.isEmpty())
        return preferred;
    const QRect ink = QFontMetrics(font).tightBoundingRect(text);
    // Rows relative to the baseline: the ink runs from ink.top() to ink.bottom().
    const int lowest = height - 1 - ink.bottom();
    const int highest = -ink.top();
    return std::max(std::min(preferred, lowest), highest);
}
