// Applying the stored settings at start-up and storing them at the end.
#include "window/lumo.h"

#include "core/settings_file.h"
#include "core/user_settings.h"
#include "display/layout_geometry.h"
#include "window/window_placement.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSignalBlocker>

namespace {

QSizeF ScreenTwips(const QWidget *w)
{
    const QScreen *screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    const QSize pixels = screen ? screen->geometry().size() : QSize(1024, 768);
    return QSizeF(pixels * TwipsPerPixel);
}

} // namespace

void Lumo::ReadSettings()
{
    const QSizeF screen = ScreenTwips(this);
    const LumoSettings s = env_.settingsPath.isEmpty()
                               ? ParseSettingsText(QByteArray(), screen)
                               : ReadSettingsFile(env_.settingsPath, screen);
    PlayMode = static_cast<std::uint8_t>(s.PlayMode);
    ListHiddenFlag = s.ListShown;
    PicSize_Click();
    VSA = static_cast<std::uint8_t>(s.VSA);
    CH = static_cast<std::uint8_t>(s.CH);
    ChangeChannel(CH);
    FastFlag = s.FastFlag;
    VsaLargeFlag = s.VsaLargeFlag;
    TimeRange = static_cast<std::uint8_t>(s.TimeRange);
    WFT = static_cast<std::uint8_t>(s.WFT);
    NumFftNormal = static_cast<std::int16_t>(s.NumFftNormal);
    NumFftFast = static_cast<std::int16_t>(s.NumFftFast);
    storedPosition_ = {s.Left, s.Top, s.Centred};
    if (!PlatformPlacesWindows()) {
        // The compositor places the window; the stored position waits for a platform that
        // lets it be used.
    } else if (s.Centred) {
        CentreWindow();
    } else {
        move(TwipsToPixelNearest(s.Left), TwipsToPixelNearest(s.Top));
    }

    const UserSettings user = ReadUserSettings(env_.userSettingsPath);
    AnalyzerDelayMs = static_cast<std::int16_t>(user.AnalyzerDelayMs);
    WaveformBarFlag = user.WaveformBar;
    ReplayGain = static_cast<ReplayGainMode>(user.ReplayGain);
    PeakFall = static_cast<std::int16_t>(user.PeakFall);
    LoudnessView = {user.LoudnessWideScale, user.LoudnessRelative, user.LoudnessTarget};
    ShowLoudnessView();
    ResumeFlag = user.Resume;
    {
        const QSignalBlocker quiet(MenuResume);
        MenuResume->setChecked(ResumeFlag);
    }

    VL = QStringLiteral("Lumo \"sorvane\"");
    setWindowTitle(VL);
    LabelTitle[0]->setText(VL);
    LabelTitle[1]->setText(VL);
    SetPlayMode(PlayMode);
    // Without the fft module the spectrum analyzers and level meters cannot run.
    FftAvailable = FftEngine::ModulePresent(env_.fftDirectory);
    for (int mode = 0; mode < AnalyzerModes::kCount; ++mode)
        if (AnalyzerModes::NeedsFft(mode))
            MenuVsaModes[static_cast<size_t>(mode)]->setEnabled(FftAvailable);
    const std::uint8_t stored = VSA;
    const bool withheld = !FftAvailable && AnalyzerModes::NeedsFft(stored);
    if (withheld)
        VSA = 0;
    if (VSA < AnalyzerModes::kCount)
        MenuVsaModes[VSA]->trigger();
    if (withheld)
        withheldVsa_ = stored;
}

void Lumo::WriteSettings()
{
    if (env_.settingsPath.isEmpty())
        return;
    LumoSettings s;
    s.PlayMode = PlayMode;
    s.ListShown = !ListHiddenFlag;
    s.VSA = withheldVsa_.value_or(VSA);
    s.CH = CH;
    s.FastFlag = FastFlag;
    s.VsaLargeFlag = VsaLargeFlag;
    s.TimeRange = TimeRange;
    s.WFT = WFT;
    s.NumFftNormal = NumFftNormal;
    s.NumFftFast = NumFftFast;
    if (PlatformPlacesWindows()) {
        const QPoint at = frameGeometry().topLeft();
        s.Left = static_cast<float>(at.x() * TwipsPerPixel);
        s.Top = static_cast<float>(at.y() * TwipsPerPixel);
        s.Centred = false;
    } else {
        // The position read at the start, as it was: this platform does not report one.
        s.Left = storedPosition_.left;
        s.Top = storedPosition_.top;
        s.Centred = storedPosition_.centred;
    }
    WriteSettingsFile(env_.settingsPath, s);
}
