// Lumo: starts the player, or hands the command line to the player that already runs.
#include "core/handoff_text.h"
#include "core/instance_channel.h"
#include "core/qt_media_engine_factory.h"
#include "core/settings_file.h"
#include "core/termination_signal.h"
#include "display/open_dialog.h"
#include "window/lumo.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lumo"));
    QApplication::setDesktopFileName(QStringLiteral("lumo"));

    Lumo::Environment env;
    env.stopMessage = [](const QString &text, const QString &title) {
        QMessageBox::critical(nullptr, title, text);
    };
    env.infoMessage = [](const QString &text, const QString &title) {
        QMessageBox::information(nullptr, title, text);
    };
    env.openDialog = ShowOpenDialog;
    env.engineFactory = MakeQtMediaEngineFactory();
    env.settingsPath = SettingsFilePath(QCoreApplication::applicationDirPath());

    Lumo window(env);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/lumo.png")));

    const QString text = BuildHandoffText(app.arguments(), QDir::currentPath());
    InstanceChannel channel(InstanceServerName(window.VL));
    if (channel.Start(text) == InstanceChannel::Role::HandedOff) {
        // A second start: the running player took the files; this window never shows.
        window.close();
        return 0;
    }
    QObject::connect(&channel, &InstanceChannel::Received, &window, &Lumo::SetHandoffText);
    TerminationSignal termination;
    QObject::connect(&termination, &TerminationSignal::Received, &window, &QWidget::close);
    window.show();
    window.SetHandoffText(text);
    return app.exec();
}
