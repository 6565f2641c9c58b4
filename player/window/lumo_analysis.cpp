// Start of analysis for a sound file, the sample buffers' life, and the per-tick frame.
#include "window/lumo.h"

#include "analyzer/analysis_stream.h"
#include "analyzer/overlay.h"
#include "base/device_pixels.h"
#include "base/steady_clock.h"
#include "window/picture_box.h"

#include <QAction>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

// The stream the analyzer describes while the probe examines the file: its windows are silence.
::StreamInfo AwaitedStream()
{
    ::StreamInfo info;
    info.SampleRate = 44100;
    info.Channels = 2;
    info.BitsPerSample = 16;
    info.SampleKind = 1;
    info.FullScale = 32768;
    return info;
}

} // namespace

void Lumo::StartAnalysis(const QString &path)
{
    analysedPath_ = path;
    // The WAVE and MPEG headers are read here; any other file is opened by the probe's
    // worker, so that a large or hostile container never holds up the window.
    if (const std::optional<AnalysisStream> known = probe_.Start(path)) {
        analysisAwaited_ = false;
        ApplyAnalysisStream(*known);
        return;
    }
    analysisAwaited_ = true;
    AnalysisStream waiting;
    waiting.result = WaveHeaderResult::Accepted;
    waiting.info = AwaitedStream();
    waiting.source = SampleSource::Decoded;
    ApplyAnalysisStream(waiting);
}

void Lumo::PollAnalysisProbe()
{
    if (!analysisAwaited_)
        return;
    const std::optional<AnalysisStream> answer = probe_.Take();
    if (!answer)
        return;
    analysisAwaited_ = false;
    // A file nothing decodes ends as it did before the probe: the picture area shows the
    // audio picture again (SetPictureArea paints it), or the WAVE message is shown.
    ApplyAnalysisStream(*answer);
    MovieBitrate = HeaderBitRate(analysedPath_);
}

void Lumo::ApplyAnalysisStream(const AnalysisStream &stream)
{
    // A file that no reader accepts must not keep the previous file's description.
    StreamInfo = {};
    Mp3Flag = stream.source == SampleSource::Mpeg;
    sampleSource_ = stream.source;
    const ::StreamInfo &info = stream.info;
    if (stream.result == WaveHeaderResult::Rejected) {
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
    waveformPending_ = WaveformBarFlag && !analysisAwaited_;
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
    if (analysisAwaited_) {
        supply_.AwaitStream(StreamInfo);
    } else {
        if (StreamInfo.SampleKind == 0 && env_.infoMessage)
            env_.infoMessage(tr("このWAVEファイルはサポートされていません。"), VL);
        // Also for kind 0: the supply must describe this file, not the one analysed before
        // it. Decoding loads run on the supply's worker thread, so that no tick waits for a
        // decoder or a container's seek; a PCM WAVE load is a single read into the buffer and
        // stays in the tick.
        supply_.Allocate(analysedPath_, StreamInfo, sampleSource_,
                         sampleSource_ == SampleSource::Wave ? SampleSupply::LoadMode::Synchronous
                                                             : SampleSupply::LoadMode::Worker);
    }
    LevelMeter.Clear();
    needles_ = {};
}

void Lumo::ResetAnalysisState()
{
    supply_.Reset();
}

void Lumo::ForgetAnalysedFile()
{
    ResetAnalysisState();
    probe_.Cancel();
    analysisAwaited_ = false;
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
    // A frozen picture stays as it is; the loudness meter above goes on measuring.
    if (FreezeFlag)
        return;
    const bool fetched = supply_.FetchWindow(position, TimeRange);
    // The analog meter shows whatever the window still holds; the others skip the frame.
    if (!fetched && VSA != 6)
        return;
    QImage &canvas = Pic->Canvas();
    const qreal ratio = canvas.devicePixelRatio();
    QPainter painter(&canvas);
    const QRect area = TwipsGeometry(Control::Pic);
    const FrameInput input = CurrentFrameInput();
    const SampleWindow window = supply_.Window();
    bool drawn = true;
    switch (VSA) {
    case 1:
        DrawOscilloscopeFrame(painter, window, input, scopeColours_, scopeWork_);
        break;
    case 2:
    case 3:
        drawn = DrawSpectrumFrame(painter, window, input, Spectrum, fft_, spectrumWork_);
        break;
    case 4:
    case 5:
        if (barImage_.isNull() || barRatio_ != ratio) {
            barImage_ = DevicePixelCopy(Image(QStringLiteral("ImageBar")), ratio);
            barRatio_ = ratio;
        }
        drawn =
            DrawLevelMeterFrame(painter, window, input, LevelMeter, barImage_, fft_, levelWork_);
        break;
    case AnalyzerModes::kSpectrogram:
        drawn = DrawSpectrogramFrame(painter, window, input, position, spectrogram_, fft_);
        break;
    case AnalyzerModes::kStereoField:
        drawn = DrawStereoFieldFrame(painter, window, input, stereoField_);
        break;
    default:
        if (meterPictures_.ImageAlmBack.isNull() || meterRatio_ != ratio) {
            meterPictures_ = {Image(QStringLiteral("ImageAudio")),
                              Image(QStringLiteral("ImageAlmBack"))};
            meterRatio_ = ratio;
        }
        DrawAnalogMeterFrame(painter, window, input, meterPictures_, needles_, LevelMeter.FallRate);
        break;
    }
    // The frame rate counts and shows only frames that were drawn.
    if (FpsFlag && drawn)
        DrawFrameRateOverlay(painter, frameRate_, area.width(), SteadyMilliseconds());
    painter.end();
    if (readoutPoint_)
        ShowReadout();
    // The oscilloscope, the spectrum analyzers (in device pixels) and the stereo field say where
    // they changed the picture; only that is repainted.
    const std::vector<QRect> *changed = VSA == 1               ? &scopeWork_.changed
                                        : VSA == 2 || VSA == 3 ? &spectrumWork_.changed
                                        : VSA == AnalyzerModes::kStereoField ? &stereoField_.changed
                                                                             : nullptr;
    // The stereo field draws through the painter and says its places in logical pixels.
    const qreal scale = VSA == AnalyzerModes::kStereoField ? 1.0 : ratio;
    if (changed && !FpsFlag) {
        for (const QRect &part : *changed)
            if (!part.isEmpty())
                Pic->update(scale == 1.0 ? part
                                         : QRectF(part.x() / scale, part.y() / scale,
                                                  part.width() / scale, part.height() / scale)
                                               .toAlignedRect());
    } else {
        Pic->update();
    }
}

FrameInput Lumo::CurrentFrameInput() const
{
    const QRect area = TwipsGeometry(Control::Pic);
    return FrameInput{VSA,
                      CH,
                      WFT,
                      FastFlag,
                      NumFftNormal,
                      NumFftFast,
                      area.width(),
                      area.height(),
                      TimeRange,
                      StreamInfo.SampleRate,
                      StreamInfo.BitsPerSample,
                      StreamInfo.FullScale,
                      PeakFall};
}

void Lumo::DrawLoudness(float position)
{
    // The meter reads what has just played: the last 200 ms before the position.
    constexpr float span = 0.2f;
    const float start = position > span ? position - span : 0.0f;
    const int range = static_cast<int>(std::lround((position - start) * 100.0f));
    const qint64 now = SteadyMilliseconds();
    if (range > 0 && supply_.FetchWindow(start, range)) {
        const std::int32_t rate = StreamInfo.SampleRate;
        loudness_.Feed(supply_.Window(), rate, std::llround(double(start) * rate), double(now));
    }
    if (FreezeFlag)
        return;
    QPainter painter(&Pic->Canvas());
    const QRect area = TwipsGeometry(Control::Pic);
    DrawLoudnessFrame(painter, loudness_, loudnessPictures_, area.width() / 15, area.height() / 15,
                      double(now), LoudnessView);
    if (FpsFlag)
        DrawFrameRateOverlay(painter, frameRate_, area.width(), now);
    Pic->update();
}
