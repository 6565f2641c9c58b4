#pragma once

#include <QFont>

// The fonts of the player's windows. The design names Windows fonts; each is mapped to a
// font of this system that renders Japanese ("MS P Gothic", "MS Gothic") or a matching
// serif ("Times New Roman"). Sizes in points are turned into pixels at 96 dots per inch,
// the resolution the window geometry is laid out for.
namespace WindowFonts {

// Registers the substitutions once per process.
void InstallSubstitutions();
QFont PGothic(double points, bool bold = false);
QFont Gothic(double points, bool bold = false);
QFont Serif(double points, bool bold = false, bool italic = false);

} // namespace WindowFonts
