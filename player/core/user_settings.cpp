#include "core/user_settings.h"

#include "core/settings_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <optional>

namespace {

const QString VolumeKey = QStringLiteral("Sound/Volume");
const QString MutedKey = QStringLiteral("Sound/Muted");
const QString DelayKey = QStringLiteral("Analyzer/DelayMs");
const QString WaveformKey = QStringLiteral("Display/WaveformBar");
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
    file.setValue(ResumeKey, settings.Resume);
    file.sync();
    return file.status() == QSettings::NoError;
}

QString UserSettingsFilePath()
{
    return UserSettingsDirectory() + QStringLiteral("/lumo-user.ini");
}
