#pragma once

#include <QRgb>

#include <array>

// A perceptually even colour map of 256 entries, dark to bright: lightness rises in equal
// steps in the OKLab space while the hue turns from violet through red and orange to a pale
// yellow. Entry 0 is black. Generated once in code.
const std::array<QRgb, 256> &LevelColourMap();
