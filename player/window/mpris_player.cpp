#include "window/mpris_player.h"

#include "core/mpris_values.h"
#include "window/lumo.h"

#include <QAction>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <cmath>

namespace {

constexpr double MicrosecondsPerSecond = 1e6;

bool Playable(const Lumo *w)
{
    return w->MediumOpenFlag && !w->StillPictureFlag;
}

} // namespace

MprisPlayer::MprisPlayer(QObject *object, Lumo *window)
    : QDBusAbstractAdaptor(object), window_(window)
{
}

void MprisPlayer::Later(std::function<void(Lumo *)> operation)
{
    QTimer::singleShot(0, window_, [w = QPointer<Lumo>(window_), operation] {
        if (w)
            operation(w);
    });
}

QString MprisPlayer::PlaybackStatus() const
{
    return Mpris::PlaybackStatus(window_->CT);
}

QString MprisPlayer::LoopStatus() const
{
    return Mpris::LoopStatus(window_->PlayMode);
}

void MprisPlayer::SetLoopStatus(const QString &loop)
{
    if (const std::optional<int> mode = Mpris::PlayModeForLoop(loop, window_->PlayMode))
        Later([mode = *mode](Lumo *w) { w->SetPlayMode(mode); });
}

bool MprisPlayer::Shuffle() const
{
    return window_->PlayMode == 2;
}

void MprisPlayer::SetShuffle(bool shuffle)
{
    if (const std::optional<int> mode = Mpris::PlayModeForShuffle(shuffle, window_->PlayMode))
        Later([mode = *mode](Lumo *w) { w->SetPlayMode(mode); });
}

double MprisPlayer::Rate() const
{
    return Mpris::RateOfSpeedIndex(window_->SpeedIndex());
}

void MprisPlayer::SetRate(double rate)
{
    if (const std::optional<int> index = Mpris::SpeedIndexForRate(rate))
        Later([index = *index](Lumo *w) { w->SetSpeed(index); });
}

QVariantMap MprisPlayer::Metadata() const
{
    const Lumo *w = window_;
    if (!w->MediumOpenFlag)
        return {{QStringLiteral("mpris:trackid"),
                 QVariant::fromValue(QDBusObjectPath(Mpris::TrackPath(-1)))}};
    QVariantMap data;
    data.insert(QStringLiteral("mpris:trackid"),
                QVariant::fromValue(QDBusObjectPath(Mpris::TrackPath(w->PlayIndex))));
    if (!w->StillPictureFlag)
        data.insert(QStringLiteral("mpris:length"),
                    qlonglong(std::llround(w->MovieLength * MicrosecondsPerSecond)));
    data.insert(QStringLiteral("xesam:title"), w->MovieTitle);
    const MediaTags &tags = w->MovieTags;
    if (!tags.artist.isEmpty())
        data.insert(QStringLiteral("xesam:artist"), QStringList{tags.artist});
    if (!tags.album.isEmpty())
        data.insert(QStringLiteral("xesam:album"), tags.album);
    if (tags.track > 0)
        data.insert(QStringLiteral("xesam:trackNumber"), tags.track);
    if (!w->CoverUrl().isEmpty())
        data.insert(QStringLiteral("mpris:artUrl"), w->CoverUrl());
    data.insert(QStringLiteral("xesam:url"),
                QUrl::fromLocalFile(w->PlayList.At(w->PlayIndex)).toString(QUrl::FullyEncoded));
    return data;
}

double MprisPlayer::Volume() const
{
    return window_->Volume.percent / 100.0;
}

void MprisPlayer::SetVolume(double volume)
{
    Later([percent = VolumeFromFraction(volume)](Lumo *w) { w->SetVolume(percent); });
}

qlonglong MprisPlayer::Position() const
{
    const MediaEngine *engine = window_->Engine();
    if (!Playable(window_) || !engine)
        return 0;
    return std::llround(engine->CurrentPosition().value_or(0.0) * MicrosecondsPerSecond);
}

bool MprisPlayer::CanGoNext() const
{
    return window_->MediumOpenFlag;
}

bool MprisPlayer::CanGoPrevious() const
{
    return window_->MediumOpenFlag;
}

bool MprisPlayer::CanPlay() const
{
    return Playable(window_);
}

bool MprisPlayer::CanPause() const
{
    return Playable(window_);
}

bool MprisPlayer::CanSeek() const
{
    return Playable(window_);
}

QVariantMap MprisPlayer::ChangingProperties() const
{
    return {
        {QStringLiteral("PlaybackStatus"), PlaybackStatus()},
        {QStringLiteral("LoopStatus"), LoopStatus()},
        {QStringLiteral("Shuffle"), Shuffle()},
        {QStringLiteral("Rate"), Rate()},
        {QStringLiteral("Metadata"), Metadata()},
        {QStringLiteral("Volume"), Volume()},
        {QStringLiteral("CanGoNext"), CanGoNext()},
        {QStringLiteral("CanGoPrevious"), CanGoPrevious()},
        {QStringLiteral("CanPlay"), CanPlay()},
        {QStringLiteral("CanPause"), CanPause()},
        {QStringLiteral("CanSeek"), CanSeek()},
    };
}

void MprisPlayer::Next()
{
    Later([](Lumo *w) {
        w->PicNext_MouseDown(Qt::LeftButton);
        w->PicNext_MouseUp(Qt::LeftButton);
    });
}

void MprisPlayer::Previous()
{
    Later([](Lumo *w) {
        w->PicPrev_MouseDown(Qt::LeftButton);
        w->PicPrev_MouseUp(Qt::LeftButton);
    });
}

void MprisPlayer::PlayPause()
{
    Later([](Lumo *w) {
        w->PicPlay_MouseDown(Qt::LeftButton);
        w->PicPlay_MouseUp(Qt::LeftButton);
    });
}

void MprisPlayer::Pause()
{
    Later([](Lumo *w) {
        if (w->CT == 1) {
            w->PicPlay_MouseDown(Qt::LeftButton);
            w->PicPlay_MouseUp(Qt::LeftButton);
        }
    });
}

void MprisPlayer::Play()
{
    Later([](Lumo *w) {
        if (w->CT != 1) {
            w->PicPlay_MouseDown(Qt::LeftButton);
            w->PicPlay_MouseUp(Qt::LeftButton);
        }
    });
}

void MprisPlayer::Stop()
{
    Later([](Lumo *w) {
        w->PicStop_MouseDown(Qt::LeftButton);
        w->PicStop_MouseUp(Qt::LeftButton);
    });
}

void MprisPlayer::SeekTo(qlonglong microseconds)
{
    Later([this, microseconds](Lumo *w) {
        if (w->SeekTo(static_cast<double>(microseconds) / MicrosecondsPerSecond))
            emit Seeked(Position());
    });
}

void MprisPlayer::Seek(qlonglong offset)
{
    SeekTo(Position() + offset);
}

void MprisPlayer::SetPosition(const QDBusObjectPath &trackId, qlonglong position)
{
    if (!window_->MediumOpenFlag || trackId.path() != Mpris::TrackPath(window_->PlayIndex))
        return;
    if (position < 0 || position > std::llround(window_->MovieLength * MicrosecondsPerSecond))
        return;
    SeekTo(position);
}

void MprisPlayer::OpenUri(const QString &uri)
{
    const QUrl url(uri);
    if (!url.isLocalFile())
        return;
    Later([path = url.toLocalFile()](Lumo *w) { w->DropFiles({path}); });
}
