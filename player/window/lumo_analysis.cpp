// Start of analysis for a sound file, the sample buffers' life, and the per-tick frame.
#include "window/lumo.h"

#include "analyzer/stream_header.h"
#include "base/steady_clock.h"
#include "window/picture_box.h"

#include <QAction>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

// The oscilloscope's and the analog meter's view of the window the supply copied.
SampleWindow ViewOf(const AnalysisWindow &w)
{
    SampleWindow view;
    view.kind = w.sampleKind;
    view.frames32 = w.stereo16;
    view.pcm16 = w.mono16;
    view.frames16 = w.stereo8;
    view.pcm8 = w.mono8;
    return view;
}

} // namespace

void Lumo::StartAnalysis(const QString &path)
{
    // A file that no reader accepts must not keep the previous file's description.
    StreamInfo = {};
    ::StreamInfo info;
    const WaveHeaderResult wave = ReadWaveHeader(path, info);
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
    // The waterfall and the loudness belong to one file.
    spectrogram_.Clear();
    loudness_.Restart();
    waveformPending_ = WaveformBarFlag;
    AllocateSampleBuffers();
    VsaReadyFlag = true;
    if (!MenuVsaModes[0]->isChecked())
        VsaActiveFlag = true;
    Timer->setInterval(FastFlag ? TimerIntervals[2] : TimerIntervals[1]);
    if (AnalyzerModes::LargeAreaAllowed(VSA)) {
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
    if (StreamInfo.SampleKind == 0 && env_.infoMessage)
        env_.infoMessage(QStringLiteral("このWAVEファイルはサポートされていません。"), VL);
    // Also for kind 0: the supply must describe this file, not the one analysed before it.
    supply_.Allocate(PlayList.At(PlayIndex), StreamInfo, Mp3Flag);
    LevelMeter.Clear();
    needles_ = {};
}

void Lumo::ResetAnalysisState()
{
    supply_.Reset();
}

void Lumo::DrawAnalyzerFrame(float position)
{
    if (VSA < 1 || VSA >= AnalyzerModes::kCount)
        return;
    // The analyser looks at what the listener hears now, through an output that lags.
    position = std::max(0.0f, position - static_cast<float>(AnalyzerDelayMs) / 1000.0f);
    if (VSA == AnalyzerModes::kLoudness) {
        DrawLoudness(position);
        return;
    }
    const bool fetched = supply_.FetchWindow(position, TimeRange);
    // The analog meter shows whatever the window still holds; the others skip the frame.
    if (!fetched && VSA != 6)
        return;
    QPainter painter(&Pic->Canvas());
    FrameRateState *overlay = FpsFlag ? &frameRate_ : nullptr;
    const QRect area = TwipsGeometry(Control::Pic);
    const AnalysisWindow window = supply_.Window();
    switch (VSA) {
    case 2:
    case 3: {
        SpectrumSettings settings{VSA,
                                  CH,
                                  WFT,
                                  FastFlag,
                                  NumFftNormal,
                                  NumFftFast,
                                  double(area.width()),
                                  double(area.height())};
        DrawSpectrumFrame(painter, window, settings, Spectrum, fft_, spectrumWork_, overlay);
        break;
    }
    case 1: {
        const OscilloscopeSettings settings{
            CH,        area.width(),          area.height(),
            TimeRange, StreamInfo.SampleRate, StreamInfo.BitsPerSample};
        DrawOscilloscopeFrame(painter, ViewOf(window), settings, scopeColours_);
        break;
    }
    case AnalyzerModes::kSpectrogram: {
        SpectrogramSettings settings{CH,
                                     WFT,
                                     FastFlag,
                                     NumFftNormal,
                                     NumFftFast,
                                     double(area.width()),
                                     double(area.height()),
                                     position};
        DrawSpectrogramFrame(painter, window, settings, spectrogram_, fft_);
        break;
    }
    case 6: {
        if (meterPictures_.ImageAlmBack.isNull())
            meterPictures_ = {Image(QStringLiteral("ImageAudio")),
                              Image(QStringLiteral("ImageAlmBack"))};
        const AnalogMeterSettings settings{FastFlag,
                                           area.width(),
                                           area.height(),
                                           TimeRange,
                                           StreamInfo.SampleRate,
                                           StreamInfo.BitsPerSample,
                                           StreamInfo.FullScale};
        DrawAnalogMeterFrame(painter, ViewOf(window), settings, meterPictures_, needles_,
                             LevelMeter.FallRate);
        break;
    }
    case 4:
    case 5: {
        if (barImage_.isNull())
            barImage_ = Image(QStringLiteral("ImageBar"));
        LevelMeterSettings settings{VSA,
                                    CH,
                                    WFT,
                                    FastFlag,
                                    NumFftNormal,
                                    NumFftFast,
                                    double(area.width()),
                                    double(area.height())};
        DrawLevelMeterFrame(painter, window, settings, LevelMeter, barImage_, fft_, levelWork_,
                            overlay);
        break;
    }
    default:
        break;
    }
    if (overlay && (VSA == 1 || VSA == 6 || VSA == AnalyzerModes::kSpectrogram))
        DrawFrameRateOverlay(painter, frameRate_, area.width(), SteadyMilliseconds());
    Pic->update();
}

void Lumo::DrawLoudness(float position)
{
    // The meter reads what has just played: the last 200 ms before the position.
    constexpr float span = 0.2f;
    const float start = position > span ? position - span : 0.0f;
    const int range = static_cast<int>(std::lround((position - start) * 100.0f));
    const qint64 now = SteadyMilliseconds();
    if (range > 0 && supply_.FetchWindow(start, range)) {
        const AnalysisWindow window = supply_.Window();
        loudness_.Feed(window, std::llround(double(start) * window.sampleRate), double(now));
    }
    QPainter painter(&Pic->Canvas());
    const QRect area = TwipsGeometry(Control::Pic);
    DrawLoudnessFrame(painter, loudness_, area.width() / 15, area.height() / 15, double(now));
    if (FpsFlag)
        DrawFrameRateOverlay(painter, frameRate_, area.width(), now);
    Pic->update();
}
