#pragma once

#include "core/media_engine.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <functional>

#include <memory>

// What a scripted file holds: its length, its picture (none for a sound), its frame duration
// and the rates it refuses.
struct FakeMedium
{
    double duration = 10.0;
    std::optional<QSize> videoSize;
    std::optional<double> frameSeconds;
    QList<double> refusedRates;
};

// One call made on a fake engine: the operation's name and its arguments.
struct FakeCall
{
    QString name;
    QVariantList args;

    // "Name(arg, arg)", for comparing sequences in tests.
    QString Text() const;
};

struct FakeMediaShared;

// A MediaEngine for tests of the window logic: files render when the script names them, the
// position moves only when the test moves it, and every call is recorded.
class FakeMediaEngine : public MediaEngine
{
public:
    enum class State { Stopped, Paused, Running };

    explicit FakeMediaEngine(std::shared_ptr<FakeMediaShared> shared);
    ~FakeMediaEngine() override;

    bool RenderFile(const QString &path) override;
    bool Run() override;
    bool Pause() override;
    bool Stop() override;
    std::optional<double> Duration() const override;
    std::optional<double> CurrentPosition() const override;
    bool SetCurrentPosition(double seconds) override;
    bool SetRate(double rate) override;
    // Volume and muting are kept as state, not logged: the window applies them at every open.
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

    // Joins, when the engines join (FakeMediaEngines::SetJoining): the queued file is logged
    // when the stream takes it (HandOver) and plays from its start when heard (Join).
    bool QueueNext(const QString &path) override;
    void CancelNext() override;
    bool JoinPending() const override { return handedOver; }
    void SetJoinedHandler(std::function<void()> handler) override;

    // Test controls; not recorded.
    void SetPosition(double seconds) { position = seconds; }
    void PlayToEnd() { position = medium.duration; }
    void HandOver();
    void Join();

    QString queued;
    bool handedOver = false;
    std::function<void()> joined;

    bool rendered = false;
    FakeMedium medium;
    State state = State::Stopped;
    double position = 0.0;
    double rate = 1.0;
    double volume = 1.0;
    bool muted = false;
    QPointer<QWidget> owner;
    QRect videoRect;
    bool fullScreen = false;

private:
    void Record(const QString &name, const QVariantList &args = {}) const;

    std::shared_ptr<FakeMediaShared> shared;
    int number = 0;
};

// Hands out fake engines that share one script, and keeps track of them: the last engine
// made (nullptr once it is released), how many were made and released, and one log of the
// calls made on all of them. A hook can run whenever a file starts to render, as if events
// arrived while the engine loads.
class FakeMediaEngines
{
public:
    FakeMediaEngines();

    // Makes path render as the given medium in every engine made from now on.
    void AddMedium(const QString &path, const FakeMedium &medium = {});
    // The factory to install in the window under test.
    MediaEngineFactory Factory();
    void WhileRendering(std::function<void()> hook);
    // Engines made from now on take queued files.
    void SetJoining(bool on);

    FakeMediaEngine *Last() const;
    int Created() const;
    int Released() const;
    // Calls on all engines, each text prefixed by the engine's number ("1:Run()").
    QStringList Log(const QStringList &skip = {}) const;
    void ClearLog();

private:
    std::shared_ptr<FakeMediaShared> shared;
};
