// Gapless joins: the entry the play mode moves on to by itself is handed to the media engine
// ahead of time, and the window takes the joined file over when it is heard.
#include "window/lumo.h"

#include "base/rounding.h"
#include "window/picture_box.h"

#include <QFileInfo>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTimer>

namespace {

bool IsStillPicture(const QString &ext)
{
    const QString lower = ext.toLower();
    return lower == QLatin1String("bmp") || lower == QLatin1String("jpg") ||
           lower == QLatin1String("gif");
}

} // namespace

// Connects the window to the engine just opened.
void Lumo::WatchEngine()
{
    if (!engine_)
        return;
    engine_->SetReplayGain(ReplayGain);
    engine_->SetJoinedHandler([this] { AdoptJoinedFile(); });
    engine_->SetSelfPausedHandler([this] {
        // The output stayed away: the player stands paused, as if the user had paused it.
        if (CT != 1)
            return;
        CT = 2;
        ShowButtonImage(PicPlay, QStringLiteral("ImagePlay"), 1);
    });
}

// The entry the end of the current one leads to in the play mode, or -1 where playback stops.
// The random mode picks once per medium, so the entry queued is the one that follows.
int Lumo::EntryAfterCurrent()
{
    const int rows = ListFile->count();
    switch (PlayMode) {
    case 0:
        return -1;
    case 1:
        return PlayIndex + 1 < rows ? PlayIndex + 1 : -1;
    case 2:
        if (PlayList.At(1).isEmpty())
            return PlayIndex;
        // Picked as the random mode picks at the end: any other entry.
        while (joinRandom_ < 0 || joinRandom_ >= rows || joinRandom_ == PlayIndex)
            joinRandom_ = QRandomGenerator::global()->bounded(rows);
        return joinRandom_;
    case 3:
        return PlayIndex;
    case 4:
        return PlayIndex + 1 >= rows ? 0 : PlayIndex + 1;
    default:
        return PlayIndex;
    }
}

// Keeps the engine's queued file in step with the play mode and the list, which the user may
// change while a sound plays.
void Lumo::PrepareJoin()
{
    if (!engine_ || !AudioOnlyFlag || StillPictureFlag || engine_->JoinPending())
        return;
    QueueJoin(*engine_);
}

// Queues the entry after the current one in the engine, also before the engine has loaded the
// current file: the end of a short file may be read while it loads.
void Lumo::QueueJoin(MediaEngine &engine)
{
    const int next = EntryAfterCurrent();
    const QString path = next >= 0 ? PlayList.At(next) : QString();
    const bool joinable = !path.isEmpty() && !IsStillPicture(ExtensionOf(path));
    if (!joinable) {
        if (joinIndex_ >= 0 || !joinAskedPath_.isEmpty())
            engine.CancelNext();
        joinIndex_ = -1;
        joinAskedPath_.clear();
        return;
    }
    if (path == joinAskedPath_ && next == joinIndex_)
        return;
    joinAskedPath_ = path;
    joinIndex_ = engine.QueueNext(path) ? next : -1;
}

// The joined file is heard: the window does what opening it would have done, on the same
// engine, which already plays it.
void Lumo::AdoptJoinedFile()
{
    const int index = joinIndex_;
    joinIndex_ = -1;
    joinRandom_ = -1;
    joinAskedPath_.clear();
    if (!engine_ || index < 0 || closing_)
        return;
    if (PlayMode == 3 && index == PlayIndex) {
        // Solo repeat plays the same file once more, as its end would have.
        CT = 1;
        Timer->start();
        return;
    }
    PlayIndex = static_cast<std::int16_t>(index);
    SelectListRow(PlayIndex);
    const QString path = PlayList.At(PlayIndex);
    const QFileInfo info(path);
    MovieFileSize = static_cast<std::int32_t>(std::min<qint64>(info.size(), INT32_MAX));
    MovieExt = ExtensionOf(path);

    VsaReadyFlag = VsaActiveFlag = false;
    ForgetAnalysedFile();
    Pic->ClearCanvas();
    Timer->setInterval(TimerIntervals[0]);
    Mp3Flag = false;
    AudioOnlyFlag = true;
    PaintAudioPicture();
    MovieWidth = MovieHeight = 0;
    MovieFrameRate = 0;
    StartAnalysis(path);

    MovieLength = RoundTo2(engine_->Duration().value_or(0.0));
    duration_ = MovieLength;
    SetSpeed(1);
    MeasureRates(path);
    CT = 1;
    MediumOpenFlag = true;
    Timer->start();
    ResetButtonImages();
    ShowOpenedTitle(path);
}
