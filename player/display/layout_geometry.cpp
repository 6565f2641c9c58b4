#include "display/layout_geometry.h"

#include "base/rounding.h"

#include <algorithm>

namespace {

// Left edge of the position bar and the fixed bar length while the list is shown.
constexpr int PosBackLeft = 840;
constexpr int PosBackShownWidth = 3015;

int Half(int value)
{
    return static_cast<int>(RoundHalfEven(value / 2.0));
}

int ListShownWidth(int w)
{
    return static_cast<int>(RoundHalfEven(w * 1.25)) + 1200;
}

} // namespace

PictureAreaGeometry ComputePictureArea(int p, int q, bool audioOnly, bool listHidden,
                                       int picPosBackWidth)
{
    PictureAreaGeometry g;
    g.p0 = p;
    g.q0 = q;
    if (!audioOnly) {
        p = std::max(p, 320);
        q = std::max(q, 240);
    }
    g.p = p;
    g.q = q;
    const int w = TwipsPerPixel * p;
    const int h = TwipsPerPixel * q;
    const int t = ListShownWidth(w);
    const int c = h + 1200;
    g.w = w;
    g.h = h;

    auto &out = g.placements;
    out.push_back(
        {Control::ListFile, w, 0, static_cast<int>(RoundHalfEven(w / 4.0)) + 1200, h + 60});
    out.push_back({Control::LabelPm, {}, h + 750, {}, {}});
    out.push_back({Control::Pic, {}, {}, w, h});
    out.push_back({Control::PicPM, {}, h + 480, {}, {}});
    out.push_back({Control::PicPos, {}, h + 60, {}, {}});
    out.push_back({Control::PicPlay, {}, h + 120, {}, {}});
    out.push_back({Control::PicBack, {}, h + 360, {}, {}});
    out.push_back({Control::PicStep, {}, h + 360, {}, {}});
    out.push_back({Control::PicPrev, {}, h + 780, {}, {}});
    out.push_back({Control::PicNext, {}, h + 780, {}, {}});
    out.push_back({Control::PicStop, {}, h + 660, {}, {}});
    out.push_back({Control::PicSpeed, {}, h + 330, {}, {}});
    out.push_back({Control::PicPosBack, {}, h + 120, {}, {}});
    out.push_back({Control::PicRsl, {}, h + 480, {}, {}});
    out.push_back({Control::PicSize, {}, c - 300, {}, {}});
    out.push_back({Control::PicVsa, {}, c - 300, {}, {}});
    out.push_back({Control::PicInfo, {}, c - 300, {}, {}});
    out.push_back({Control::PicFull, {}, h + 60, {}, {}});
    out.push_back({Control::LabelTitle0, 2790, h + 360, {}, {}});
    out.push_back({Control::LabelTitle1, 2760, h + 330, {}, {}});
    out.push_back({Control::LabelTime, {}, h + 780, {}, {}});
    out.push_back({Control::LabelFile, picPosBackWidth + PosBackLeft + 120, {}, t - 4395, {}});
    out.push_back({Control::Text, {}, c + 120, {}, {}});
    out.push_back({Control::Hist, {}, c + 120, {}, {}});

    const int r = listHidden ? w : t;
    out.push_back({Control::PicInfo, r - 1140, {}, {}, {}});
    g.picInfoVisible = !listHidden || p >= 400;
    out.push_back({Control::PicPM, r - 720, {}, {}, {}});
    if (listHidden)
        out.push_back({Control::PicPosBack, {}, {}, w - 1260, {}});
    out.push_back({Control::PicRsl, r - 300, {}, {}, {}});
    out.push_back({Control::PicSize, r - 300, {}, {}, {}});
    out.push_back({Control::PicFull, r - 300, {}, {}, {}});
    out.push_back({Control::PicVsa, r - 720, {}, {}, {}});
    out.push_back({Control::LabelTitle0, {}, {}, r - 3600, {}});
    out.push_back({Control::LabelTitle1, {}, {}, r - 3600, {}});
    if (!listHidden)
        out.push_back({Control::LabelFile, {}, h + 60, {}, {}});
    out.push_back({Control::Text, {}, {}, Half(r), {}});
    out.push_back({Control::Hist, {}, {}, Half(r), {}});
    // Set client size, then the history box starts where the file-list box ends.
    g.clientWidth = r;
    g.clientHeight = c;
    out.push_back({Control::Hist, Half(r), {}, {}, {}});

    g.stillPicture = QRect(Half(w - TwipsPerPixel * g.p0), Half(h - TwipsPerPixel * g.q0),
                           TwipsPerPixel * g.p0, TwipsPerPixel * g.q0);
    g.video = QRect(Half(p - g.p0), Half(q - g.q0), g.p0, g.q0);
    return g;
}

ListToggleGeometry ComputeListToggle(int pw, int ph, bool listHidden)
{
    ListToggleGeometry g;
    const int t = ListShownWidth(pw);
    const int c = ph + 1200;
    const bool show = listHidden;
    const int r = show ? t : pw;
    auto &out = g.placements;
    out.push_back({Control::Text, {}, {}, Half(r), {}});
    out.push_back({Control::Hist, Half(r), {}, Half(r), {}});
    out.push_back({Control::PicPM, r - 720, {}, {}, {}});
    out.push_back({Control::PicFull, r - 300, ph + 60, {}, {}});
    out.push_back({Control::PicRsl, r - 300, {}, {}, {}});
    out.push_back({Control::PicSize, r - 300, {}, {}, {}});
    out.push_back({Control::PicVsa, r - 720, {}, {}, {}});
    out.push_back({Control::PicInfo, r - 1140, {}, {}, {}});
    const int posBackWidth = show ? PosBackShownWidth : pw - 1260;
    out.push_back({Control::PicPosBack, {}, {}, posBackWidth, {}});
    out.push_back({Control::LabelTitle0, {}, {}, r - 3600, {}});
    out.push_back({Control::LabelTitle1, {}, {}, r - 3600, {}});
    g.picInfoVisible = show || pw >= 5400;
    g.sizeImageIndex = show ? 0 : 1;
    g.clientWidth = r;
    g.clientHeight = c;
    g.labelFileVisible = show;
    if (show) {
        const int labelLeft = posBackWidth + PosBackLeft + 120;
        g.labelFile.push_back({Control::LabelFile, labelLeft, ph + 60, t - labelLeft - 420, {}});
    }
    g.listHiddenAfter = !show;
    return g;
}

double NextZoomFactor(double zoom, int movieWidth, int movieHeight, int screenWidth,
                      int screenHeight)
{
    if (zoom == 0.5)
        return 1.0;
    if (zoom == 1.0) {
        const bool tooBig = 2 * TwipsPerPixel * movieWidth > screenWidth ||
                            2 * TwipsPerPixel * movieHeight > screenHeight;
        return tooBig ? 0.5 : 2.0;
    }
    if (zoom == 2.0)
        return 0.5;
    return zoom;
}

QSize FitToScreenArea(QSize screen, QSize window, QSize pic, int taskBarHeight)
{
    const double width = TwipsToPixelExact(screen.width() - (window.width() - pic.width()));
    const double height =
        TwipsToPixelExact(screen.height() - (window.height() - pic.height())) - taskBarHeight;
    return QSize(static_cast<int>(RoundHalfEven(width)), static_cast<int>(RoundHalfEven(height)));
}
