#pragma once

#include "core/replay_gain.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

// The operations the player needs from a media engine: one engine object per opened file,
// created by Open current and released by Close medium. Every operation reports failure
// instead of throwing; times are seconds, sizes and placements pixels.
class MediaEngine
{
public:
    virtual ~MediaEngine() = default;

    // Builds the playback graph for a file; false when the file cannot be played.
    virtual bool RenderFile(const QString &path) = 0;

    virtual bool Run() = 0;
    virtual bool Pause() = 0;
    virtual bool Stop() = 0;

    virtual std::optional<double> Duration() const = 0;
    virtual std::optional<double> CurrentPosition() const = 0;
    virtual bool SetCurrentPosition(double seconds) = 0;
    // Fails when the medium does not take the rate (checked by reading it back).
    virtual bool SetRate(double rate) = 0;

    // Loudness of the sound, 0 (silent) to 1 (full), and muting; kept apart from each other.
    virtual bool SetVolume(double fraction) = 0;
    virtual bool SetMuted(bool muted) = 0;

    // Native size of the picture; empty for a medium without one.
    virtual std::optional<QSize> VideoSize() const = 0;
    // Seconds per frame; empty when the medium does not report it.
    virtual std::optional<double> AvgTimePerFrame() const = 0;

    // The video window: exists only for a medium with a picture.
    virtual bool HasVideoWindow() const = 0;
    // Attaches the video window to the owner widget; nullptr detaches it.
    virtual bool SetVideoOwner(QWidget *owner) = 0;
    // Places the video window inside its owner, in pixels.
    virtual bool SetVideoRect(const QRect &rect) = 0;
    virtual std::optional<QRect> VideoRect() const = 0;
    virtual std::optional<bool> FullScreenMode() const = 0;
    virtual bool SetFullScreenMode(bool on) = 0;

    // Gapless joins. The file to play right after the current one in the same stream; false
    // when this engine cannot join files, and then the current file ends as usual. A queued
    // file is looked at first and joined only when it is a sound the engine plays.
    virtual bool QueueNext(const QString &path)
    {
        (void)path;
        return false;
    }
    // Forgets the queued file, unless the stream has already taken it.
    virtual void CancelNext() {}
    // Whether the stream has taken the queued file: the current one then runs into it without
    // an end of its own.
    virtual bool JoinPending() const { return false; }
    // Called on the user-interface thread when the first sample of the joined file is heard;
    // from then on position and duration are the joined file's.
    virtual void SetJoinedHandler(std::function<void()> handler) { (void)handler; }
    // Called when the engine paused by itself, having had no output for a long time.
    virtual void SetSelfPausedHandler(std::function<void()> handler) { (void)handler; }
    // How far the samples written to the output run ahead of what is heard, in seconds; empty
    // when the engine cannot tell.
    virtual std::optional<double> OutputLatency() const { return std::nullopt; }
    // Applies the loudness tags of each file in the mode; false when the engine cannot.
    virtual bool SetReplayGain(ReplayGainMode mode)
    {
        (void)mode;
        return false;
    }
    // The gain in dB applied to the file now playing; empty when none is applied by tags.
    virtual std::optional<double> ReplayGainApplied() const { return std::nullopt; }
};

// Makes a fresh engine for the file about to be opened; tests install a factory of fakes.
using MediaEngineFactory = std::function<std::unique_ptr<MediaEngine>(const QString &path)>;
