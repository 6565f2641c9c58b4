#pragma once

#include "base/twips.h"

#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

// The main window's controls whose geometry the layout sets.
enum class Control {
    Pic,
    ListFile,
    PicPlay,
    PicPosBack,
    PicPos,
    PicSpeed,
    PicBack,
    PicStep,
    PicStop,
    PicPrev,
    PicNext,
    LabelTime,
    LabelTitle0,
    LabelTitle1,
    LabelPm,
    LabelFile,
    PicFull,
    PicRsl,
    PicPM,
    PicSize,
    PicVsa,
    PicInfo,
    Text,
    Hist,
    PicGS,
};

// One control's new coordinates in twips; unset coordinates keep their value.
struct Placement
{
    Control control;
    std::optional<int> left, top, width, height;
};

// Everything the window applies after Set picture area, in the order it is applied.
struct PictureAreaGeometry
{
    int p = 0, q = 0;   // the picture area in pixels after the minimum is applied
    int p0 = 0, q0 = 0; // the requested size
    int w = 0, h = 0;   // the picture area in twips
    int clientWidth = 0, clientHeight = 0; // inner size of the window in twips
    std::vector<Placement> placements;
    bool picInfoVisible = true;
    // Where a still picture of the requested size is painted inside the area, in twips.
    QRect stillPicture;
    // Where the video window sits inside the picture area, in pixels.
    QRect video;
};

// Lays out the main window for a picture area of p x q pixels. picPosBackWidth is the
// position bar's width before the layout (the list label is placed after it).
PictureAreaGeometry ComputePictureArea(int p, int q, bool audioOnly, bool listHidden,
                                       int picPosBackWidth);

// Everything the list toggle applies, for the current picture area of pw x ph twips.
struct ListToggleGeometry
{
    bool listHiddenAfter = false;
    int clientWidth = 0, clientHeight = 0;
    std::vector<Placement> placements; // applied before the client size changes
    bool picInfoVisible = true;
    bool labelFileVisible = true;
    int sizeImageIndex = 0;
    std::vector<Placement> labelFile; // applied after the client size changes
};

ListToggleGeometry ComputeListToggle(int pw, int ph, bool listHidden);

// The zoom factor after one press of the size button: 0.5 -> 1 -> 2 -> 0.5, but 1 goes to
// 0.5 when the doubled movie would not fit on the screen (sizes in twips).
double NextZoomFactor(double zoom, int movieWidth, int movieHeight, int screenWidth,
                      int screenHeight);

// The picture area in pixels that lets the window fill the screen's free area. All
// sizes in twips except the task bar height, which is in pixels.
QSize FitToScreenArea(QSize screen, QSize window, QSize pic, int taskBarHeight);
