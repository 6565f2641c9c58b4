// The waveform of the playing sound in the back of the position bar.
#include "window/lumo.h"

#include "base/device_pixels.h"
#include "window/picture_box.h"

#include <QPainter>

void Lumo::SetWaveformBar(bool on)
{
    WaveformBarFlag = on;
    waveform_.Cancel();
    waveformPending_ = false;
    waveformShown_ = -1;
    PicPosBack->ClearCanvas();
    PicPosBack->update();
    // Switched on while a sound plays: its waveform starts on the next tick.
    if (on && MediumOpenFlag && AudioOnlyFlag && VsaReadyFlag && !analysisAwaited_)
        waveformPending_ = true;
}

void Lumo::UpdateWaveformBar()
{
    if (!WaveformBarFlag)
        return;
    QImage &canvas = PicPosBack->Canvas();
    if (waveformPending_ && duration_ > 0) {
        waveformPending_ = false;
        waveformShown_ = -1;
        const QString path = analysedPath_;
        const ::StreamInfo info = StreamInfo;
        const SampleSource source = sampleSource_;
        // The file is opened on the worker thread, by the decoder its samples come from. One
        // column of the waveform per device pixel.
        waveform_.Start([path, info, source] { return OpenSampleBlocks(source, path, info); },
                        duration_, canvas.width());
    }
    if (!waveform_.Running())
        return;
    const int done = waveform_.Snapshot(waveformColumns_);
    if (done == waveformShown_)
        return;
    waveformShown_ = done;
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    const DevicePixelPainting devicePixels(painter);
    painter.setPen(QColor(120, 164, 214));
    const double middle = (canvas.height() - 1) / 2.0;
    const int count = std::min<int>(done, static_cast<int>(waveformColumns_.size()));
    for (int x = 0; x < count; ++x) {
        const WaveformColumn &c = waveformColumns_[static_cast<std::size_t>(x)];
        const int top = static_cast<int>(std::lround(middle - c.high / 32768.0 * (middle + 0.5)));
        const int foot = static_cast<int>(std::lround(middle - c.low / 32768.0 * (middle + 0.5)));
        painter.drawLine(x, top, x, foot);
    }
    painter.end();
    PicPosBack->update();
}
