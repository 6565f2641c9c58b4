// Analyzer mode control: the mode switch with its menu check marks, the fast-drawing and
// channel changes, and the start of analysis when a sound opens.
#include "window/lumo.h"

#include "window/picture_box.h"

#include <QAction>
#include <QTimer>

void Lumo::ChangeVsa(int index)
{
    // Another mode lets a held picture go.
    FreezeFlag = false;
    MenuFreeze->setChecked(false);
    withheldVsa_.reset();
    VSA = static_cast<std::uint8_t>(index);
    for (QAction *item : MenuVsaModes)
        item->setChecked(false);
    if (!AudioOnlyFlag)
        return;
    if (index == 0) {
        MenuVsaModes[0]->setChecked(true);
        VsaActiveFlag = false;
        ResetAnalysisState();
        int p = 400, q = 240;
        SetPictureArea(p, q);
        Timer->setInterval(TimerIntervals[0]);
        PaintAudioPicture();
    } else if (AnalyzerModes::LargeAreaAllowed(index)) {
        if (VsaReadyFlag) {
            int p = VsaLargeFlag ? 640 : 400;
            int q = VsaLargeFlag ? 360 : 240;
            SetPictureArea(p, q);
        }
        MenuVsaModes[static_cast<size_t>(index)]->setChecked(true);
    } else if (index >= 4 && index < AnalyzerModes::kCount) {
        int p = 400, q = 240;
        SetPictureArea(p, q);
        MenuVsaModes[static_cast<size_t>(index)]->setChecked(true);
    }
    if (VSA != 0) {
        if (VsaReadyFlag && !VsaActiveFlag) {
            AllocateSampleBuffers();
            VsaActiveFlag = true;
            Timer->setInterval(FastFlag ? TimerIntervals[2] : TimerIntervals[1]);
        }
        if (CT == 2)
            PauseFlag = true;
    }
}

void Lumo::ChangeVsaFast()
{
    Timer->setInterval(FastFlag ? TimerIntervals[2] : TimerIntervals[1]);
    if (CT == 2)
        PauseFlag = true;
}

void Lumo::ChangeChannel(int index)
{
    (void)index;
    if (CT == 2)
        PauseFlag = true;
}
