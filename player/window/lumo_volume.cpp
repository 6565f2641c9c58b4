// Volume and mute: keys, the wheel over the picture area, the note that shows the new value,
// the engine of each opened medium, and the per-user file that keeps them.
#include "window/lumo.h"

#include "core/user_settings.h"
#include "window/picture_box.h"
#include "window/volume_badge.h"

#include <QWheelEvent>

#include <algorithm>

namespace {

// Turns wheel turns over the picture area into volume steps.
class VolumeWheel : public QObject
{
public:
    explicit VolumeWheel(Lumo *window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel)
            return false;
        angle_ += static_cast<QWheelEvent *>(event)->angleDelta().y();
        if (const int notches = TakeWheelNotches(angle_))
            window_->StepVolume(notches);
        return true;
    }

private:
    Lumo *window_;
    int angle_ = 0;
};

} // namespace

void Lumo::InstallVolumeControls()
{
    volumeBadge_ = new VolumeBadge(Pic);
    Pic->installEventFilter(new VolumeWheel(this));
    Volume = ReadUserSettings(env_.userSettingsPath).volume;
}

void Lumo::StepVolume(int steps)
{
    SetVolume(SteppedVolume(Volume.percent, steps));
}

void Lumo::SetVolume(int percent)
{
    Volume.percent = std::clamp(percent, 0, 100);
    ApplyVolume();
    ShowVolume();
}

void Lumo::SetMuted(bool muted)
{
    Volume.muted = muted;
    ApplyVolume();
    ShowVolume();
}

void Lumo::ApplyVolume()
{
    if (!engine_)
        return;
    engine_->SetVolume(Volume.percent / 100.0);
    engine_->SetMuted(Volume.muted);
}

void Lumo::ShowVolume()
{
    volumeBadge_->ShowText(Volume.muted ? tr("消音") : tr("音量 %1%").arg(Volume.percent));
    emit StateChanged();
}

VolumeBadge *Lumo::VolumeNote() const
{
    return volumeBadge_;
}

void Lumo::WriteUserSettings() const
{
    UserSettings user;
    user.volume = Volume;
    user.AnalyzerDelayMs = AnalyzerDelayMs;
    user.WaveformBar = WaveformBarFlag;
    user.ReplayGain = static_cast<int>(ReplayGain);
    user.PeakFall = PeakFall;
    user.LoudnessWideScale = LoudnessView.wideScale;
    user.LoudnessRelative = LoudnessView.relative;
    user.LoudnessTarget = LoudnessView.target;
    user.Resume = ResumeFlag;
    ::WriteUserSettings(env_.userSettingsPath, user);
}
