#pragma once

#include "core/media_engine.h"
#include "core/position_clock.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QPointer>

#include <functional>
#include <memory>

class QVideoFrame;
class QVideoWidget;
class VideoMessageDrain;

// The media engine over Qt Multimedia: a QMediaPlayer with an audio output and, for a medium
// with a picture, a QVideoWidget as the video window. Positions are measured from the start of
// the stream; once the stream has ended the position reads exactly the duration until the next
// seek or run, so a poll that compares position and duration always sees the end. While it
// plays, positions between two reads of the pipeline are worked out from the steady clock.
class QtMediaEngine : public MediaEngine
{
public:
    // loadTimeoutMs bounds how long RenderFile waits for the medium and its first picture.
    explicit QtMediaEngine(int loadTimeoutMs = 5000);
    ~QtMediaEngine() override;

    QtMediaEngine(const QtMediaEngine &) = delete;
    QtMediaEngine &operator=(const QtMediaEngine &) = delete;

    bool RenderFile(const QString &path) override;

    bool Run() override;
    bool Pause() override;
    bool Stop() override;

    std::optional<double> Duration() const override;
    std::optional<double> CurrentPosition() const override;
    bool SetCurrentPosition(double seconds) override;
    bool SetRate(double rate) override;
    bool SetVolume(double fraction) override;
    bool SetMuted(bool muted) override;

    std::optional<QSize> VideoSize() const override;
    std::optional<double> AvgTimePerFrame() const override;

    bool HasVideoWindow() const override;
    bool SetVideoOwner(QWidget *owner) override;
    bool SetVideoRect(const QRect &rect) override;
    std::optional<QRect> VideoRect() const override;
    std::optional<bool> FullScreenMode() const override;
    bool SetFullScreenMode(bool on) override;

    // Whether the stream has played to its end since the last seek or run.
    bool AtEnd() const { return atEnd; }

private:
    void OnMediaStatusChanged(QMediaPlayer::MediaStatus status);
    void OnError();
    // Whether the stream is playing steadily, so its position may be worked out between reads.
    bool PlaysSteadily() const;
    void OnVideoFrame(const QVideoFrame &frame);
    void DropVideoWindow();
    void Unload();

    static constexpr int seekableWaitMs = 250;
    int loadTimeoutMs;
    QAudioOutput audioOutput;
    std::unique_ptr<QMediaPlayer> player;
    QPointer<QVideoWidget> videoWidget;
    VideoMessageDrain *messageDrain = nullptr;

    QRect windowRect;
    bool loaded = false;
    bool rendered = false;
    bool failed = false;
    bool atEnd = false;
    // A medium that cannot seek was sent back to its start; it plays from there on the next run.
    bool rewound = false;
    qint64 originMs = 0;
    qint64 durationMs = 0;
    std::optional<QSize> videoSize;
    std::optional<double> frameSeconds;
    // Reading the position asks the whole pipeline; a poll every few milliseconds would spend
    // a noticeable share of the player's time on it.
    mutable PositionClock positionClock;
};
