// Opening the current play-list entry: still pictures, movies and sounds; closing the
// medium; the full-screen memory; the bit-rate and frame-rate measurements.
#include "window/lumo.h"

#include "base/rounding.h"
#include "core/avi_frame_rate.h"
#include "window/picture_box.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTimer>

namespace {

bool IsStillPictureExtension(const QString &ext)
{
    static const QStringList exact{QStringLiteral("bmp"), QStringLiteral("BMP"),
                                   QStringLiteral("jpg"), QStringLiteral("JPG"),
                                   QStringLiteral("gif"), QStringLiteral("GIF")};
    return exact.contains(ext);
}

} // namespace

bool Lumo::OpenCurrent()
{
    if (opening_)
        return false;
    opening_ = true;
    const auto done = qScopeGuard([this] {
        opening_ = false;
        if (queuedOpen_ >= 0)
            QTimer::singleShot(0, this, &Lumo::OpenQueued);
    });
    const QString path = PlayList.At(PlayIndex);
    SelectListRow(PlayIndex);

    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile()) {
        ReportOpenFailure(path);
        return false;
    }
    MovieFileSize = static_cast<std::int32_t>(std::min<qint64>(info.size(), INT32_MAX));
    MovieExt = ExtensionOf(path);
    if (engine_)
        engine_->Stop();
    PicGS->SetPicture(QImage());

    const bool wasAudioOnly = AudioOnlyFlag;
    if (isMinimized() && !wasAudioOnly)
        showNormal();

    ProcessPendingEvents();
    VsaReadyFlag = VsaActiveFlag = false;
    ForgetAnalysedFile();
    ZoomFactor = 1.0f;
    Pic->ClearCanvas();
    Timer->setInterval(TimerIntervals[0]);
    AudioOnlyFlag = StillPictureFlag = Mp3Flag = false;

    if (IsStillPictureExtension(MovieExt)) {
        if (ShowStillPicture(path))
            return true;
        ReportOpenFailure(path);
        return false;
    }

    // A new engine replaces the previous one only when it has rendered the file, so a
    // failed open leaves the previous medium's window as it was.
    std::unique_ptr<MediaEngine> fresh = env_.engineFactory ? env_.engineFactory(path) : nullptr;
    joinIndex_ = joinRandom_ = -1;
    joinAskedPath_.clear();
    if (fresh)
        QueueJoin(*fresh);
    const bool rendered = fresh && fresh->RenderFile(path);
    // The window was closed while the file loaded: the program is ending.
    if (closing_)
        return false;
    if (!rendered) {
        // What was queued belongs to the engine that failed: the next tick queues anew.
        joinIndex_ = -1;
        joinAskedPath_.clear();
        ReportOpenFailure(path);
        return false;
    }
    if (engine_) {
        engine_->SetVideoOwner(nullptr);
        engine_.reset();
    }
    engine_ = std::move(fresh);
    ApplyVolume();
    WatchEngine();

    const std::optional<QSize> videoSize = engine_->VideoSize();
    if (!videoSize) {
        AudioOnlyFlag = true;
        PaintAudioPicture();
        MovieWidth = MovieHeight = 0;
        MovieFrameRate = 0;
        StartAnalysis(path);
    } else {
        if (isMinimized() && wasAudioOnly)
            showNormal();
        engine_->SetVideoOwner(Pic);
        engine_->SetVideoRect(QRect(QPoint(0, 0), *videoSize));
        MovieWidth = videoSize->width();
        MovieHeight = videoSize->height();
    }

    MovieLength = RoundTo2(engine_->Duration().value_or(0.0));
    duration_ = MovieLength;
    engine_->SetCurrentPosition(0);
    SetSpeed(1);

    MeasureRates(path);

    engine_->Run();
    CT = 1;
    MediumOpenFlag = true;
    Timer->start();
    ResetButtonImages();

    if (!AudioOnlyFlag) {
        int p = MovieWidth, q = MovieHeight;
        SetPictureArea(p, q);
    }
    if (FullScreenFlag)
        engine_->SetFullScreenMode(true);

    ShowOpenedTitle(path);
    return true;
}

// The bit rate of the opened medium and, for a movie, its frame rate.
void Lumo::MeasureRates(const QString &path)
{
    if (AudioOnlyFlag)
        MovieBitrate = HeaderBitRate(path);
    else
        MovieBitrate = MovieLength > 0 ? QFileInfo(path).size() * 8.0 / MovieLength : 0.0;

    if (MovieExt == QLatin1String("avi") || MovieExt == QLatin1String("AVI")) {
        MovieFrameRate = ReadAviFrameRate(path);
    } else if (engine_) {
        const std::optional<double> perFrame = engine_->AvgTimePerFrame();
        MovieFrameRate = perFrame && *perFrame > 0 ? 1.0 / *perFrame : 0.0;
    }
}

// The opened medium's title in the caption and the title labels, and its history entry.
void Lumo::ShowOpenedTitle(const QString &path)
{
    ReadMediumTitle(path);
    ShowTitle();
    AddHistoryEntry(FileNameOf(path));
}

// Opens the first of the files added while the previous medium loaded.
void Lumo::OpenQueued()
{
    if (queuedOpen_ < 0 || opening_ || closing_)
        return;
    PlayIndex = static_cast<std::int16_t>(queuedOpen_);
    queuedOpen_ = -1;
    OpenCurrent();
}

void Lumo::ReportOpenFailure(const QString &path)
{
    PicStop->SetPicture(Image(QStringLiteral("ImageStop_0")));
    PicPlay->SetPicture(Image(QStringLiteral("ImagePlay_0")));
    if (env_.stopMessage)
        env_.stopMessage(tr("ファイルが開けません。\n") + path, VL);
    if (!MediumOpenFlag) {
        MoveKnob(750);
        Timer->stop();
        setWindowTitle(VL);
    }
    RestorePlayIndexFromHistory();
}

void Lumo::RestorePlayIndexFromHistory()
{
    const QString history = Hist->toPlainText();
    const qsizetype marker = history.lastIndexOf(QLatin1String("FT("));
    if (marker < 0)
        return;
    const qsizetype close = history.indexOf(QLatin1Char(')'), marker);
    if (close < 0)
        return;
    bool ok = false;
    const int index = history.mid(marker + 3, close - marker - 3).toInt(&ok);
    if (ok && index >= 0 && index < ::PlayList::Capacity)
        PlayIndex = static_cast<std::int16_t>(index);
}

void Lumo::CloseMedium()
{
    CT = 0;
    MediumOpenFlag = false;
    SetWaveformBar(WaveformBarFlag);
    ProcessPendingEvents();
    if (!engine_)
        return;
    engine_->Stop();
    if (engine_->HasVideoWindow()) {
        engine_->SetFullScreenMode(false);
        engine_->SetVideoOwner(nullptr);
    }
    engine_.reset();
}

void Lumo::RememberFullScreen()
{
    FullScreenFlag = engine_ && engine_->FullScreenMode().value_or(false);
}

double Lumo::HeaderBitRate(const QString &path) const
{
    const QString tail = path.right(3);
    if (tail == QLatin1String("wav") || tail == QLatin1String("WAV") ||
        tail == QLatin1String("mp3") || tail == QLatin1String("MP3")) {
        // A file the stream readers did not accept has no header rate: measure it instead.
        if (StreamInfo.BitRate > 0)
            return StreamInfo.BitRate;
    }
    if (MovieLength <= 0)
        return 0;
    return static_cast<double>(RoundHalfEven(QFileInfo(path).size() * 8.0 / MovieLength));
}
