#include "core/qt_media_engine.h"
#include "core/event_wait.h"

#include "base/steady_clock.h"
#include "core/stream_pads_gate.h"
#include "core/video_message_drain.h"

#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>

#include <malloc.h>

#include <algorithm>
#include <cmath>

QtMediaEngine::QtMediaEngine(int loadTimeoutMs)
    : loadTimeoutMs(loadTimeoutMs), player(std::make_unique<QMediaPlayer>())
{
    player->setAudioOutput(&audioOutput);
    QObject::connect(player.get(), &QMediaPlayer::mediaStatusChanged, player.get(),
                     [this](QMediaPlayer::MediaStatus status) { OnMediaStatusChanged(status); });
    QObject::connect(player.get(), &QMediaPlayer::errorOccurred, player.get(),
                     [this] { OnError(); });
    // Any change of state makes the next position a real read.
    QObject::connect(player.get(), &QMediaPlayer::playbackStateChanged, player.get(),
                     [this] { positionClock.Drop(); });
    QObject::connect(player.get(), &QMediaPlayer::playbackRateChanged, player.get(),
                     [this] { positionClock.Drop(); });
}

QtMediaEngine::~QtMediaEngine()
{
    player->stop();
    player->setVideoOutput(nullptr);
    DropVideoWindow();
    player.reset();
    // The pipeline's streaming threads allocated from arenas of their own; what they freed
    // stays mapped until it is handed back, and an evening of media would pile it up.
    malloc_trim(0);
}

void QtMediaEngine::OnMediaStatusChanged(QMediaPlayer::MediaStatus status)
{
    positionClock.Drop();
    switch (status) {
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::BufferingMedia:
    case QMediaPlayer::BufferedMedia:
        if (!loaded) {
            // Some containers (MPEG system streams) start their clock above zero.
            originMs = std::max<qint64>(0, player->position());
            durationMs = player->duration();
            loaded = true;
        }
        break;
    case QMediaPlayer::EndOfMedia:
        atEnd = true;
        break;
    case QMediaPlayer::InvalidMedia:
        OnError();
        break;
    default:
        break;
    }
}

void QtMediaEngine::OnError()
{
    positionClock.Drop();
    // An error while rendering means the medium cannot be played; an error while it plays ends
    // the stream, so the player moves on instead of waiting at a stalled position.
    if (rendered) {
        atEnd = true;
    } else {
        failed = true;
    }
}

void QtMediaEngine::OnVideoFrame(const QVideoFrame &frame)
{
    if (!frame.isValid() || videoSize) {
        return;
    }
    videoSize = frame.size();
    const qint64 span = frame.endTime() - frame.startTime();
    if (frame.startTime() >= 0 && span > 0) {
        frameSeconds = static_cast<double>(span) / 1e6;
    }
}

void QtMediaEngine::DropVideoWindow()
{
    delete videoWidget.data();
    videoWidget = nullptr;
    delete messageDrain;
    messageDrain = nullptr;
}

void QtMediaEngine::Unload()
{
    positionClock.Drop();
    player->stop();
    player->setSource(QUrl());
    player->setVideoOutput(nullptr);
    DropVideoWindow();
    loaded = false;
    rendered = false;
    durationMs = 0;
    originMs = 0;
    videoSize.reset();
    frameSeconds.reset();
}

bool QtMediaEngine::RenderFile(const QString &path)
{
    Unload();
    rendered = false;
    failed = false;
    atEnd = false;
    rewound = false;
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        return false;
    }

    videoWidget = new QVideoWidget;
    windowRect = videoWidget->geometry();
    messageDrain = new VideoMessageDrain;
    QObject::connect(videoWidget->videoSink(), &QVideoSink::videoFrameChanged, player.get(),
                     [this](const QVideoFrame &frame) { OnVideoFrame(frame); });
    player->setVideoOutput(videoWidget.data());
    {
        // The player exists, so the media framework has started and the gate can hook into it.
        const StreamPadsGate gate;
        player->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    }

    if (!WaitWithEvents([this] { return loaded || failed; }, loadTimeoutMs) || failed) {
        Unload();
        return false;
    }

    // Pausing prerolls the stream: the first picture arrives and with it the native size.
    player->pause();
    if (player->hasVideo()) {
        WaitWithEvents([this] { return videoSize.has_value() || failed; }, loadTimeoutMs);
    }
    // Whether the medium can seek is known once the pause has taken effect; some never can.
    WaitWithEvents([this] { return player->isSeekable() || failed; }, seekableWaitMs);
    if (failed) {
        Unload();
        return false;
    }
    if (!videoSize) {
        // No picture could be decoded: the medium plays as a sound.
        player->setVideoOutput(nullptr);
        DropVideoWindow();
    }
    rendered = true;
    return true;
}

bool QtMediaEngine::Run()
{
    if (!loaded) {
        return false;
    }
    atEnd = false;
    rewound = false;
    positionClock.Drop();
    player->play();
    return true;
}

bool QtMediaEngine::Pause()
{
    if (!loaded) {
        return false;
    }
    positionClock.Drop();
    // At the end or rewound the player is stopped, which holds the position as well.
    if (!atEnd && !rewound) {
        player->pause();
    }
    return true;
}

bool QtMediaEngine::Stop()
{
    // Like pausing: the position stays where it is and the next run continues from there.
    return Pause();
}

std::optional<double> QtMediaEngine::Duration() const
{
    if (!loaded) {
        return std::nullopt;
    }
    return static_cast<double>(durationMs) / 1000.0;
}

std::optional<double> QtMediaEngine::CurrentPosition() const
{
    if (!loaded) {
        return std::nullopt;
    }
    if (atEnd) {
        return Duration();
    }
    if (rewound) {
        return 0.0;
    }
    // Paused, stopped, buffering or stalled: always the real position.
    const bool steady = PlaysSteadily();
    const qint64 now = SteadyMilliseconds();
    if (!steady) {
        positionClock.Drop();
    } else if (const auto estimate = positionClock.Estimate(now, durationMs)) {
        return static_cast<double>(*estimate) / 1000.0;
    }
    qint64 ms = std::clamp<qint64>(player->position() - originMs, 0, durationMs);
    if (steady) {
        ms = positionClock.Take(ms, now, player->playbackRate());
    }
    return static_cast<double>(ms) / 1000.0;
}

bool QtMediaEngine::PlaysSteadily() const
{
    const QMediaPlayer::MediaStatus status = player->mediaStatus();
    return player->playbackState() == QMediaPlayer::PlayingState &&
           (status == QMediaPlayer::BufferedMedia || status == QMediaPlayer::LoadedMedia);
}

bool QtMediaEngine::SetCurrentPosition(double seconds)
{
    if (!loaded || !std::isfinite(seconds)) {
        return false;
    }
    positionClock.Drop();
    const qint64 ms = std::clamp<qint64>(std::llround(seconds * 1000.0), 0, durationMs);
    if (!player->isSeekable()) {
        // Such a medium (MIDI) can only be rewound, by stopping it.
        if (ms != 0) {
            return false;
        }
        player->stop();
        atEnd = false;
        rewound = true;
        return true;
    }
    atEnd = false;
    rewound = false;
    player->setPosition(originMs + ms);
    return true;
}

bool QtMediaEngine::SetRate(double rate)
{
    if (!loaded || !std::isfinite(rate) || rate <= 0.0) {
        return false;
    }
    if (rate != 1.0 && !player->isSeekable()) {
        return false;
    }
    positionClock.Drop();
    player->setPlaybackRate(rate);
    return std::abs(player->playbackRate() - rate) < 1e-9;
}

std::optional<QSize> QtMediaEngine::VideoSize() const
{
    if (!loaded) {
        return std::nullopt;
    }
    return videoSize;
}

std::optional<double> QtMediaEngine::AvgTimePerFrame() const
{
    if (!loaded) {
        return std::nullopt;
    }
    return frameSeconds;
}

bool QtMediaEngine::HasVideoWindow() const
{
    return !videoWidget.isNull();
}

bool QtMediaEngine::SetVideoOwner(QWidget *owner)
{
    if (videoWidget.isNull()) {
        return false;
    }
    if (videoWidget->isFullScreen()) {
        videoWidget->setFullScreen(false);
    }
    if (owner == nullptr) {
        videoWidget->hide();
        videoWidget->setParent(nullptr);
        messageDrain->SetTarget(nullptr);
        return true;
    }
    videoWidget->setParent(owner);
    videoWidget->setGeometry(windowRect);
    messageDrain->SetTarget(owner);
    videoWidget->installEventFilter(messageDrain);
    for (QWidget *child : videoWidget->findChildren<QWidget *>()) {
        child->installEventFilter(messageDrain);
    }
    videoWidget->show();
    return true;
}

bool QtMediaEngine::SetVideoRect(const QRect &rect)
{
    if (videoWidget.isNull()) {
        return false;
    }
    windowRect = rect;
    if (!videoWidget->isFullScreen()) {
        videoWidget->setGeometry(rect);
    }
    return true;
}

std::optional<QRect> QtMediaEngine::VideoRect() const
{
    if (videoWidget.isNull()) {
        return std::nullopt;
    }
    return windowRect;
}

std::optional<bool> QtMediaEngine::FullScreenMode() const
{
    if (videoWidget.isNull()) {
        return std::nullopt;
    }
    return videoWidget->isFullScreen();
}

bool QtMediaEngine::SetFullScreenMode(bool on)
{
    if (videoWidget.isNull()) {
        return false;
    }
    if (videoWidget->isFullScreen() == on) {
        return true;
    }
    videoWidget->setFullScreen(on);
    if (!on) {
        videoWidget->setGeometry(windowRect);
    }
    return videoWidget->isFullScreen() == on;
}

bool QtMediaEngine::SetVolume(double fraction)
{
    audioOutput.setVolume(static_cast<float>(std::clamp(fraction, 0.0, 1.0)));
    return true;
}

bool QtMediaEngine::SetMuted(bool muted)
{
    audioOutput.setMuted(muted);
    return true;
}
