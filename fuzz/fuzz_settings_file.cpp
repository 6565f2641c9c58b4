// Feeds arbitrary bytes as lumo.ini to the settings reader, checks that every value it gives
// is one the window can apply, and that writing those settings and reading them back gives
// the same settings (positions to the seven digits the file holds).
#include "core/settings_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

bool SamePosition(float written, float read)
{
    return std::fabs(double(written) - double(read)) <= 1e-6 * std::fabs(double(written)) + 1e-30;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A common screen in twips, and one with a tiny area to reach the off-screen check.
    const QSizeF screen = size > 0 && data[0] == 'S' ? QSizeF(15, 15) : QSizeF(28800, 16200);
    const QByteArray content(reinterpret_cast<const char *>(data), qsizetype(size));
    const LumoSettings read = ParseSettingsText(content, screen);

    Check(read.PlayMode >= 0 && read.PlayMode <= 9 && read.VSA >= 0 && read.VSA <= 9);
    Check(read.CH >= 0 && read.CH <= 2 && read.WFT >= 0 && read.WFT <= 9);
    Check(read.TimeRange >= 1 && read.TimeRange <= 100);
    Check(read.NumFftNormal >= 0 && read.NumFftNormal <= read.NumFftFast && read.NumFftFast <= 4);
    Check(read.Left >= 0 && read.Left <= screen.width() && read.Top >= 0 &&
          read.Top <= screen.height());

    LumoSettings again = ParseSettingsText(FormatSettingsText(read), screen);
    // A written file always holds a position, so it is never read as "centre the window".
    Check(!again.Centred);
    Check(SamePosition(read.Left, again.Left) && SamePosition(read.Top, again.Top));
    again.Centred = read.Centred;
    again.Left = read.Left;
    again.Top = read.Top;
    Check(again == read);
    return 0;
}
