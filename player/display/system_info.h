#pragma once

#include "display/key_values.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

// What starting the system information tool needs from the platform; tests replace each part.
struct SystemInfoPlatform
{
    std::shared_ptr<const KeyValues> keyValues;
    std::function<bool(const QString &path)> fileExists;
    // Full path of a program found on PATH; empty when there is none.
    std::function<QString(const QString &program)> findExecutable;
    // Starts a program on its own; false when it could not be started.
    std::function<bool(const QString &path)> start;
    std::function<void(const QString &text)> message;
};

namespace SystemInfo {

// The one message of the system information tool.
inline constexpr char UnavailableSource[] =
    QT_TRANSLATE_NOOP("SystemInfo", "現時点ではｼｽﾃﾑ情報を使用できません");
inline const QString UnavailableText = QString::fromUtf8(UnavailableSource);
// Programs that show the system's information, in the order they are looked for on PATH.
QStringList PathPrograms();

// The platform of this system: values from the ini store, programs started detached.
SystemInfoPlatform DefaultPlatform(std::function<void(const QString &text)> message);

// Reads a value: true and its text (a number as decimal text) when it exists; false and an
// empty text otherwise. Data of another kind leaves keyVal as it was, yet counts as read.
bool GetKeyValue(const KeyValues *values, std::uint32_t keyRoot, const QString &keyName,
                 const QString &subKeyRef, QString &keyVal);

// Finds the system information tool (the stored path, the stored folder, then PATH) and
// starts it; shows the message and returns false when there is none or it does not start.
bool StartSysInfo(const SystemInfoPlatform &platform);

} // namespace SystemInfo
