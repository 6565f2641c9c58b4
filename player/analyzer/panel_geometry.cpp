#include "analyzer/panel_geometry.h"

namespace PanelGeometry {

QRect ModePicture(int mode)
{
    return QRect(120 + ModePictureWidth * mode, StripTop, ModePictureWidth, 540);
}

bool InModeStrip(int y)
{
    return y >= StripTop && y <= StripBottom;
}

std::array<Separator, 5> Separators()
{
    auto horizontal = [](int y) {
        return Separator{QLine(120, y, 5160, y), QLine(120, y + 15, 5160, y + 15)};
    };
    auto vertical = [](int x, int top, int bottom) {
        return Separator{QLine(x, top, x, bottom), QLine(x + 15, top, x + 15, bottom)};
    };
    return {horizontal(1260), horizontal(2040), horizontal(3240), vertical(2280, 1275, 3240),
            vertical(3600, 1275, 2040)};
}

QPoint PanelPosition(const QRect &screen, const QRect &mainFrame, const QSize &panelFrame)
{
    // Doubled coordinates keep the halves exact.
    const bool leftHalf =
        2 * screen.left() + screen.width() > 2 * mainFrame.left() + mainFrame.width();
    const bool upperHalf =
        2 * screen.top() + screen.height() > 2 * mainFrame.top() + mainFrame.height();
    if (upperHalf)
        return QPoint(mainFrame.left(), mainFrame.top() + mainFrame.height());
    if (leftHalf)
        return QPoint(mainFrame.left() + mainFrame.width(), mainFrame.top());
    return QPoint(mainFrame.left() - panelFrame.width(), mainFrame.top());
}

} // namespace PanelGeometry
