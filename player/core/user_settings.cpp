#include "core/user_settings.h"

#include "core/settings_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString VolumeKey = QStringLiteral("Sound/Volume");
const QString MutedKey = QStringLiteral("Sound/Muted");

} // namespace

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
    return settings;
}

bool WriteUserSettings(const QString &path, const UserSettings &settings)
{
    if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSettings file(path, QSettings::IniFormat);
    file.setValue(VolumeKey, settings.volume.percent);
    file.setValue(MutedKey, settings.volume.muted);
    file.sync();
    return file.status() == QSettings::NoError;
}

QString UserSettingsFilePath()
{
    return UserSettingsDirectory() + QStringLiteral("/lumo-user.ini");
}
