#include "spectrum/hue_cycle.h"

void AdvanceHue(int16_t &HuePhase, uint8_t &HueSegment)
{
    HuePhase = static_cast<int16_t>(HuePhase + 4);
    if (HuePhase >= 255) {
        HuePhase = 0;
        ++HueSegment;
        if (HueSegment >= 6)
            HueSegment = 0;
    }
}

QColor HueColour(int16_t HuePhase, uint8_t HueSegment)
{
    const int h = HuePhase < 0 ? 0 : (HuePhase > 255 ? 255 : HuePhase);
    switch (HueSegment) {
    case 0:
        return QColor(255, h, 0);
    case 1:
        return QColor(255 - h, 255, 0);
    case 2:
        return QColor(0, 255, h);
    case 3:
        return QColor(0, 255 - h, 255);
    case 4:
        return QColor(h, 0, 255);
    default:
        return QColor(255, 0, 255 - h);
    }
}

QColor Complement(const QColor &colour)
{
    return QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue());
}
