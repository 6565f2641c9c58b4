#include "core/user_settings.h"

#include "core/settings_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <iterator>
#include <optional>

namespace {

const QString VolumeKey = QStringLiteral("Sound/Volume");
const QString MutedKey = QStringLiteral("Sound/Muted");
const QString DelayKey = QStringLiteral("Analyzer/DelayMs");
const QString WaveformKey = QStringLiteral("Display/WaveformBar");
const QString ReplayGainKey = QStringLiteral("Sound/ReplayGain");
const QString PeakFallKey = QStringLiteral("Analyzer/PeakFall");
const QString LoudnessScaleKey = QStringLiteral("Loudness/Scale");
const QString LoudnessReadingsKey = QStringLiteral("Loudness/Readings");
const QString LoudnessTargetKey = QStringLiteral("Loudness/Target");
const QString ResumeKey = QStringLiteral("Session/Resume");

// "true"/"1" or "false"/"0"; empty for anything else.
std::optional<bool> Switch(const QVariant &value)
{
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return std::nullopt;
}

} // namespace

int ClampAnalyzerDelay(int ms)
{
    const int held = std::clamp(ms, 0, UserSettings::kMaxDelayMs);
    const int step = UserSettings::kDelayStepMs;
    return (held + step / 2) / step * step;
}

UserSettings ReadUserSettings(const QString &path)
{
    UserSettings settings;
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return settings;
    const QSettings file(path, QSettings::IniFormat);
    bool ok = false;
    const int volume = file.value(VolumeKey).toInt(&ok);
    if (ok && volume >= 0 && volume <= 100)
        settings.volume.percent = volume;
    const QVariant muted = file.value(MutedKey);
    if (muted.isValid())
        settings.volume.muted = muted.toBool();
    const int delay = file.value(DelayKey).toInt(&ok);
    if (ok)
        settings.AnalyzerDelayMs = ClampAnalyzerDelay(delay);
    if (const std::optional<bool> waveform = Switch(file.value(WaveformKey)))
        settings.WaveformBar = *waveform;
    if (const std::optional<bool> resume = Switch(file.value(ResumeKey)))
        settings.Resume = *resume;
    const int gain = file.value(ReplayGainKey).toInt(&ok);
    if (ok && gain >= 0 && gain <= 2)
        settings.ReplayGain = gain;
    const int scale = file.value(LoudnessScaleKey).toInt(&ok);
    if (ok && (scale == 9 || scale == 18))
        settings.LoudnessWideScale = scale == 18;
    const QString readings = file.value(LoudnessReadingsKey).toString().trimmed().toUpper();
    if (readings == QLatin1String("LU") || readings == QLatin1String("LUFS"))
        settings.LoudnessRelative = readings == QLatin1String("LU");
    const int target = file.value(LoudnessTargetKey).toInt(&ok);
    if (ok && std::find(std::begin(kLoudnessTargets), std::end(kLoudnessTargets), target) !=
                  std::end(kLoudnessTargets))
        settings.LoudnessTarget = target;
    const int fall = file.value(PeakFallKey).toInt(&ok);
    if (ok && std::find(std::begin(kPeakFalls), std::end(kPeakFalls), fall) != std::end(kPeakFalls))
        settings.PeakFall = fall;
    return settings;
}

bool WriteUserSettings(const QString &path, const UserSettings &settings)
{
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSettings file(path, QSettings::IniFormat);
    file.setValue(VolumeKey, settings.volume.percent);
    file.setValue(MutedKey, settings.volume.muted);
    file.setValue(DelayKey, ClampAnalyzerDelay(settings.AnalyzerDelayMs));
    file.setValue(WaveformKey, settings.WaveformBar);
    file.setValue(ReplayGainKey, settings.ReplayGain);
    file.setValue(LoudnessScaleKey, settings.LoudnessWideScale ? 18 : 9);
    file.setValue(LoudnessReadingsKey,
                  settings.LoudnessRelative ? QStringLiteral("LU") : QStringLiteral("LUFS"));
    file.setValue(LoudnessTargetKey, settings.LoudnessTarget);
    file.setValue(PeakFallKey, settings.PeakFall);
    file.setValue(ResumeKey, settings.Resume);
    file.sync();
    return file.status() == QSettings::NoError;
}

QString UserSettingsFilePath()
{
    return UserSettingsDirectory() + QStringLiteral("/lumo-user.ini");
}
