#pragma once

// The built player run as a program of its own: copied with its modules (fft, audio decoder)
// into a scratch folder (as an installation would place them), with its own runtime, home and
// configuration.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

struct PlayerProcess
{
    QTemporaryDir root;
    QString bin;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();

    PlayerProcess()
    {
        bin = root.filePath(QStringLiteral("bin"));
        QDir().mkpath(bin);
        QFile::copy(QStringLiteral(LUMO_BIN_DIR "/Lumo"), bin + QStringLiteral("/Lumo"));
        for (const QString &module :
             {QStringLiteral("libfft.so"), QStringLiteral("libaudiodecoder.so")})
            QFile::copy(QStringLiteral(LUMO_BIN_DIR "/") + module, bin + QLatin1Char('/') + module);
        const QString runtime = root.filePath(QStringLiteral("run"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
        // The media framework's plug-in registry stays where it is, so the player starts fast.
        env.insert(QStringLiteral("XDG_CACHE_HOME"),
                   QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TMPDIR"), root.path());
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    }

    void Start(QProcess &process, const QStringList &arguments)
    {
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(bin + QStringLiteral("/Lumo"), arguments);
    }

    QString ConfigPath(const QString &name) const
    {
        return root.filePath(QStringLiteral("config/lumo/") + name);
    }
};
