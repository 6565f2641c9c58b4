#pragma once

// A media engine for window tests: plays any file instantly, with a duration, picture size
// and frame time the test chooses, and remembers the calls the window made.
#include "core/media_engine.h"

#include <QStringList>

struct EngineScript
{
    double duration = 60;
    std::optional<QSize> videoSize;
    std::optional<double> timePerFrame;
    bool fullScreen = false; // answer of the video window's full-screen query
    QStringList calls;
};

class ScriptedEngine : public MediaEngine
{
public:
    explicit ScriptedEngine(EngineScript *script) : script_(script) {}

    bool RenderFile(const QString &path) override
    {
        script_->calls << QStringLiteral("RenderFile ") + path;
        return true;
    }
    bool Run() override { return Log(QStringLiteral("Run")); }
    bool Pause() override { return Log(QStringLiteral("Pause")); }
    bool Stop() override { return Log(QStringLiteral("Stop")); }
    std::optional<double> Duration() const override { return script_->duration; }
    std::optional<double> CurrentPosition() const override { return position_; }
    bool SetCurrentPosition(double seconds) override
    {
        position_ = seconds;
        return Log(QStringLiteral("SetCurrentPosition %1").arg(seconds));
    }
    bool SetRate(double) override { return true; }
    std::optional<QSize> VideoSize() const override { return script_->videoSize; }
    std::optional<double> AvgTimePerFrame() const override { return script_->timePerFrame; }
    bool HasVideoWindow() const override { return script_->videoSize.has_value(); }
    bool SetVideoOwner(QWidget *) override { return true; }
    bool SetVideoRect(const QRect &) override { return true; }
    std::optional<QRect> VideoRect() const override { return std::nullopt; }
    std::optional<bool> FullScreenMode() const override
    {
        if (!HasVideoWindow())
            return std::nullopt;
        return script_->fullScreen;
    }
    bool SetFullScreenMode(bool on) override
    {
        script_->fullScreen = on;
        return Log(on ? QStringLiteral("FullScreen on") : QStringLiteral("FullScreen off"));
    }

private:
    bool Log(const QString &call)
    {
        script_->calls << call;
        return true;
    }

    EngineScript *script_;
    double position_ = 0;
};

inline MediaEngineFactory ScriptedFactory(EngineScript *script)
{
    return [script] { return std::make_unique<ScriptedEngine>(script); };
}
