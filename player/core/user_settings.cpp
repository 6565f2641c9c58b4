#include "core/user_settings.h"

#include "core/settings_file.h"

#include <QSettings>

#include <algorithm>

namespace {

const QString kDelayKey = QStringLiteral("Analyzer/DelayMs");
const QString kWaveformKey = QStringLiteral("Display/WaveformBar");

} // namespace

int ClampAnalyzerDelay(int ms)
{
    const int held = std::clamp(ms, 0, UserSettings::kMaxDelayMs);
    const int step = UserSettings::kDelayStepMs;
    return (held + step / 2) / step * step;
}

QString UserSettingsPath()
{
    return UserSettingsDirectory() + QStringLiteral("/lumo-user.ini");
}

UserSettings ReadUserSettings(const QString &path)
{
    UserSettings settings;
    if (path.isEmpty())
        return settings;
    const QSettings file(path, QSettings::IniFormat);
    bool ok = false;
    const int delay = file.value(kDelayKey).toInt(&ok);
    if (ok)
        settings.AnalyzerDelayMs = ClampAnalyzerDelay(delay);
    const QVariant waveform = file.value(kWaveformKey);
    const QString text = waveform.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        settings.WaveformBar = true;
    else if (text == QLatin1String("false") || text == QLatin1String("0"))
        settings.WaveformBar = false;
    return settings;
}

bool WriteUserSettings(const QString &path, const UserSettings &settings)
{
    if (path.isEmpty())
        return false;
    QSettings file(path, QSettings::IniFormat);
    file.setValue(kDelayKey, ClampAnalyzerDelay(settings.AnalyzerDelayMs));
    file.setValue(kWaveformKey, settings.WaveformBar);
    file.sync();
    return file.status() == QSettings::NoError;
}
