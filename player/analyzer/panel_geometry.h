#pragma once

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

// The settings panel's fixed geometry in twips (15 to the pixel) and its place beside the main
// window.
namespace PanelGeometry {

constexpr int ClientWidth = 5295;  // 353 pixels
constexpr int ClientHeight = 3600; // 240 pixels
constexpr int StripTop = 600;
constexpr int StripBottom = 1145;

// The ten mode pictures share the strip from x = 120 to 5160 twips.
constexpr int ModePictureWidth = 504;
// The picture of a mode in the strip: 504 × 540 twips at left 120 + 504 × mode, top 600.
QRect ModePicture(int mode);
// Whether a height on the panel lies in the strip of mode pictures (600 to 1145 inclusive).
bool InModeStrip(int y);

// One etched separator: the dark line and the light line one pixel below or to the right.
struct Separator
{
    QLine dark;
    QLine light;
};
// The five separators that divide the panel's controls into groups.
std::array<Separator, 5> Separators();

// Where the panel's outer top-left corner goes, in screen pixels: below the main window when
// the window's centre lies in the upper half of the screen; otherwise to its right when the
// centre lies in the left half, else to its left. Ties count as lower and right.
QPoint PanelPosition(const QRect &screen, const QRect &mainFrame, const QSize &panelFrame);

} // namespace PanelGeometry
