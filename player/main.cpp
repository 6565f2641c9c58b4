// Lumo: starts the player, or hands the command line to the player that already runs.
#include "core/handoff_text.h"
#include "core/instance_channel.h"
#include "core/qt_media_engine_factory.h"
#include "core/settings_file.h"
#include "core/termination_signal.h"
#include "core/user_settings.h"
#include "display/command_line.h"
#include "display/open_dialog.h"
#include "window/lumo.h"
#include "window/mpris_service.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>
#include <optional>

namespace {

QStringList RawArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// --help and --version: printed without a window, a display or the hand-off; nullopt to run.
std::optional<int> AnswerCommandLine(int argc, char *argv[])
{
    const CommandLine line = ParseCommandLine(RawArguments(argc, argv));
    if (line.action == CommandLine::Action::Run)
        return std::nullopt;
    QCoreApplication core(argc, argv);
    const QString text = line.action == CommandLine::Action::Help
                             ? HelpText(QCoreApplication::arguments().value(0))
                             : VersionText();
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> answered = AnswerCommandLine(argc, argv))
        return *answered;
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
    env.userSettingsPath = UserSettingsFilePath();

    Lumo window(env);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/lumo.png")));

    const QString text = BuildHandoffText(
        QStringList{QString()} + ParseCommandLine(app.arguments()).files, QDir::currentPath());
    InstanceChannel channel(InstanceServerName(window.VL));
    if (channel.Start(text) == InstanceChannel::Role::HandedOff) {
        // A second start: the running player took the files; this window never shows.
        window.close();
        return 0;
    }
    QObject::connect(&channel, &InstanceChannel::Received, &window, &Lumo::SetHandoffText);
    // Media keys and desktop widgets reach the player over the session bus, when there is one.
    new MprisService(&window);
    TerminationSignal termination;
    QObject::connect(&termination, &TerminationSignal::Received, &window, &QWidget::close);
    window.show();
    window.SetHandoffText(text);
    // Ended (by a termination signal) while the first files loaded: nothing is left to run.
    if (!window.isVisible())
        return 0;
    return app.exec();
}
