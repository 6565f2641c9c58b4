#pragma once

#include "core/audio_output.h"
#include "core/media_engine.h"
#include "core/media_probe.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include <gst/gst.h>

struct SoundStreamShared;
struct PipelineTag;

// The media engine for sound files: a playbin pipeline of its own on the desktop's audio
// output (the null output where there is none). It joins the next file of the play list to
// the end of the current one without a gap: the window queues the next file, the pipeline
// takes it when the current one has been read, and the engine reports the switch when its
// first sample is heard. When the output fails it keeps its position, looks for the output
// once a second and goes on from there; after a while without one it pauses by itself.
class GstSoundEngine : public MediaEngine
{
public:
    struct Options
    {
        // Makes the output; empty: the desktop's own (MakeAudioOutput).
        std::function<AudioOutput()> makeOutput;
        int loadTimeoutMs = 5000;
        int retryIntervalMs = 250;
        int pauseAfterMs = 30000;
    };

    GstSoundEngine();
    explicit GstSoundEngine(Options options);
    ~GstSoundEngine() override;

    GstSoundEngine(const GstSoundEngine &) = delete;
    GstSoundEngine &operator=(const GstSoundEngine &) = delete;

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

    std::optional<QSize> VideoSize() const override { return std::nullopt; }
    std::optional<double> AvgTimePerFrame() const override { return std::nullopt; }
    bool HasVideoWindow() const override { return false; }
    bool SetVideoOwner(QWidget *) override { return false; }
    bool SetVideoRect(const QRect &) override { return false; }
    std::optional<QRect> VideoRect() const override { return std::nullopt; }
    std::optional<bool> FullScreenMode() const override { return std::nullopt; }
    bool SetFullScreenMode(bool) override { return false; }

    bool QueueNext(const QString &path) override;
    void CancelNext() override;
    bool JoinPending() const override;
    void SetJoinedHandler(std::function<void()> handler) override;
    void SetSelfPausedHandler(std::function<void()> handler) override;
    std::optional<double> OutputLatency() const override;
    bool SetReplayGain(ReplayGainMode mode) override;
    std::optional<double> ReplayGainApplied() const override;

    // Whether the samples reach a real output rather than the null one.
    bool OutputIsReal() const { return outputReal; }
    // The file whose samples are heard now.
    QString CurrentPath() const { return currentPath; }
    // Whether the engine is waiting for its output to come back.
    bool Recovering() const { return recovering; }
    // Whether the queued file was found to be a sound and waits for the current one's end.
    bool NextAccepted() const;
    // Whether the stream has played to its end with nothing joined.
    bool AtEnd() const { return atEnd; }

private:
    enum class Wanted { Paused, Playing };

    bool Build(const QString &path);
    void Retire();
    bool Preroll();
    void OnMessage(GstMessage *message);
    void OnTick();
    void UpdateTick();
    // Takes the switch to the joined file once its first sample is due at the output.
    void CheckJoin() const;
    void Switch();
    void EndJoin();
    void DropFinishedProbes();
    void BeginRecovery();
    void TryRecover();
    bool Seek(double seconds, double rate);
    bool RestartAt(double seconds);
    std::optional<std::int64_t> RunningTime() const;
    void ReadDuration();

    Options options;
    QObject context;
    QTimer tick;
    GstElement *pipeline = nullptr;
    GstElement *sink = nullptr;
    std::shared_ptr<SoundStreamShared> shared;
    std::vector<std::thread> retired;
    std::vector<std::future<void>> probes;

    QString currentPath;
    QString nextPath;

    std::function<void()> joinedHandler;
    std::function<void()> selfPausedHandler;

    Wanted wanted = Wanted::Paused;
    bool loaded = false;
    bool prerolled = false;
    bool failed = false;
    bool atEnd = false;
    bool untouched = true;
    bool outputReal = false;
    bool recovering = false;
    qint64 recoveryStartMs = 0;
    bool pausedBySelf = false;
    double durationSeconds = 0;
    double rate = 1.0;
    double volume = 1.0;
    bool muted = false;
    mutable double lastPosition = 0;
    mutable bool switchDue = false;
};
