#pragma once

// Asks the player over MPRIS with playerctl on a private session bus, as a desktop widget would.
#include <QProcess>
#include <QString>
#include <QStringList>

// Runs playerctl for the player named "lumo" on the bus at address; its output, trimmed, or
// "<no answer>" when it does not finish.
inline QString RunPlayerctl(const QString &playerctl, const QString &address,
                            const QStringList &arguments)
{
    QProcess ctl;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    ctl.setProcessEnvironment(env);
    ctl.start(playerctl, QStringList{QStringLiteral("-p"), QStringLiteral("lumo")} + arguments);
    if (!ctl.waitForFinished(30000))
        return QStringLiteral("<no answer>");
    return QString::fromUtf8(ctl.readAllStandardOutput()).trimmed();
}
