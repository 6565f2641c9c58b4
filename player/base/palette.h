#pragma once

#include <QColor>

// The colours of the player's windows, each defined once.
namespace Palette {

// Background of the main window and the information dialog.
inline const QColor WindowBackground(239, 255, 255);
// Text of the main window's labels and lists and of the information dialog.
inline const QColor WindowText(0, 111, 191);
// The two title lines of the main window.
inline const QColor TitleText(192, 192, 192);
// The file label of the main window.
inline const QColor FileText(191, 191, 191);
// The panel's mode caption right after a mode was chosen.
inline const QColor ChosenModeText(255, 0, 0);
// The frame-rate figure: white on a black box.
inline const QColor FrameRateText(255, 255, 255);
inline const QColor FrameRateBox(0, 0, 0);

} // namespace Palette
