#include "display/system_info.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

QStringList SystemInfo::PathPrograms()
{
    return {QStringLiteral("kinfocenter"), QStringLiteral("gnome-system-monitor"),
            QStringLiteral("hardinfo")};
}

SystemInfoPlatform SystemInfo::DefaultPlatform(std::function<void(const QString &text)> message)
{
    SystemInfoPlatform platform;
    platform.keyValues = std::make_shared<IniKeyValues>(IniKeyValues::DefaultFiles());
    platform.fileExists = [](const QString &path) { return QFileInfo(path).isFile(); };
    platform.findExecutable = [](const QString &program) {
        return QStandardPaths::findExecutable(program);
    };
    platform.start = [](const QString &path) { return QProcess::startDetached(path, {}); };
    platform.message = std::move(message);
    return platform;
}

bool SystemInfo::GetKeyValue(const KeyValues *values, std::uint32_t keyRoot, const QString &keyName,
                             const QString &subKeyRef, QString &keyVal)
{
    const std::optional<KeyValue> value =
        values ? values->Read(keyRoot, keyName, subKeyRef) : std::nullopt;
    if (!value) {
        keyVal.clear();
        return false;
    }
    switch (value->kind) {
    case KeyValue::Kind::String:
        keyVal = value->text;
        if (keyVal.endsWith(QChar(0)))
            keyVal.chop(1);
        break;
    case KeyValue::Kind::Number:
        keyVal = QString::number(value->number);
        break;
    case KeyValue::Kind::Other:
        break;
    }
    return true;
}

bool SystemInfo::StartSysInfo(const SystemInfoPlatform &platform)
{
    const KeyValues *values = platform.keyValues.get();
    QString path;
    if (!GetKeyValue(values, KeyRoot::LocalMachine,
                     QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                     QStringLiteral("PATH"), path)) {
        QString folder;
        const bool stored =
            GetKeyValue(values, KeyRoot::LocalMachine,
                        QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                        QStringLiteral("MSINFO"), folder);
        const QString candidate = folder + QStringLiteral("/MSINFO32.EXE");
        if (stored && platform.fileExists && platform.fileExists(candidate)) {
            path = candidate;
        } else if (platform.findExecutable) {
            for (const QString &program : PathPrograms()) {
                path = platform.findExecutable(program);
                if (!path.isEmpty())
                    break;
            }
        }
    }
    if (!path.isEmpty() && platform.start && platform.start(path))
        return true;
    if (platform.message)
        platform.message(QCoreApplication::translate("SystemInfo", UnavailableSource));
    return false;
}
