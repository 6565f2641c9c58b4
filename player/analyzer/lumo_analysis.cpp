// Start of analysis for a sound file, the sample buffers' life, and the per-tick frame.
#include "core/lumo.h"

#include "core/pending_readers.h"

#include <QAction>
#include <QTimer>

void Lumo::StartAnalysis(const QString &path)
{
    const bool accepted = AcceptForAnalysis(path);
    if (!accepted) {
        int p = 400, q = 240;
        SetPictureArea(p, q);
        VsaLargeFlag = VsaReadyFlag = VsaActiveFlag = false;
        ResetAnalysisState();
        return;
    }
    AllocateSampleBuffers();
    VsaReadyFlag = true;
    if (!MenuVsaModes[0]->isChecked())
        VsaActiveFlag = true;
    Timer->setInterval(FastFlag ? TimerIntervals[2] : TimerIntervals[1]);
    if (VSA >= 1 && VSA <= 3) {
        int p = VsaLargeFlag ? 640 : 400;
        int q = VsaLargeFlag ? 360 : 240;
        SetPictureArea(p, q);
    } else {
        int p = 400, q = 240;
        SetPictureArea(p, q);
        VsaLargeFlag = false;
    }
}

void Lumo::AllocateSampleBuffers()
{
    ResetAnalysisState();
}

void Lumo::ResetAnalysisState() {}

void Lumo::DrawAnalyzerFrame(float position)
{
    (void)position;
}
