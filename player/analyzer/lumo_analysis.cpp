// Start of analysis for a sound file, the sample buffers' life, and the per-tick frame.
#include "core/lumo.h"

#include "analyzer/stream_header.h"

#include <QAction>
#include <QTimer>

void Lumo::StartAnalysis(const QString &path)
{
    // A file that no reader accepts must not keep the previous file's description.
    StreamInfo = {};
    ::StreamInfo info;
    WaveHeaderResult wave = ReadWaveHeader(path, info);
    bool accepted = wave != WaveHeaderResult::Rejected;
    if (!accepted) {
        accepted = ReadMpegAudioHeader(path, info);
        Mp3Flag = accepted;
    }
    if (!accepted) {
        int p = 400, q = 240;
        SetPictureArea(p, q);
        VsaLargeFlag = VsaReadyFlag = VsaActiveFlag = false;
        ResetAnalysisState();
        return;
    }
    StreamInfo = info;
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
