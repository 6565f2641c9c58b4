#include "spectrum/level_meter_bands.h"

#include "base/rounding.h"
#include "base/twips.h"

const std::array<int32_t, 24> &BandEdges(bool FastFlag)
{
    static const std::array<int32_t, 24> normal{47,   94,   141,  188,  235,   282,   329,   376,
                                                422,  521,  683,  894,  1172,  1535,  2012,  2636,
                                                3454, 4525, 5929, 7768, 10178, 13336, 17473, 24000};
    static const std::array<int32_t, 24> fast{21,   31,   42,   57,   77,   104,   141,   190,
                                              257,  347,  468,  632,  854,  1153,  1557,  2103,
                                              2839, 3834, 5177, 6991, 9439, 12746, 17211, 24000};
    return FastFlag ? fast : normal;
}

int BandOfBin(double j, double r, const std::array<int32_t, 24> &edges)
{
    for (int b = 0; b < 24; ++b)
        if (edges[static_cast<std::size_t>(b)] * r > j)
            return b;
    return -1;
}

BarPlacement PlaceBar(int band, double top, int32_t P, const PixelScale &px)
{
    BarPlacement bar;
    bar.xTwips = 240.0 * band + 240.0;
    bar.x = px.Nearest(bar.xTwips - 50);
    bar.y = px.Nearest(top + 600);
    bar.height = px.Nearest(P - top);
    bar.sourceY = px.Nearest(top);
    return bar;
}
