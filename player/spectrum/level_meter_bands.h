#pragma once

#include "base/device_pixels.h"

#include <array>
#include <cstdint>

// Upper band edges in hertz of the 24 level meter bands; `FastFlag` chooses the table. Band b
// covers the frequencies from the edge of band b - 1 (0 for band 0) up to its own edge.
const std::array<int32_t, 24> &BandEdges(bool FastFlag);

// Band of bin j: the first b whose edge × r (bins per hertz) is greater than j, or -1 when the
// bin lies at or above the last edge.
int BandOfBin(double j, double r, const std::array<int32_t, 24> &edges);

// Where bar b of a level meter stands, in pixels of the picture, for a bar top `top` in twips
// below the plot's top edge (plot height P). The source row is the bar image's row at that top.
struct BarPlacement
{
    int x = 0;         // left column of the bar, 8 logical pixels wide
    int y = 0;         // top row in the picture
    int height = 0;    // rows
    int sourceY = 0;   // first row of the bar image
    double xTwips = 0; // x of the band: 240·b + 240
};
BarPlacement PlaceBar(int band, double top, int32_t P, const PixelScale &px = PixelScale());
