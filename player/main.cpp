// Lumo: starts the player, or hands the command line to the player that already runs.
#include "base/translation.h"
#include "core/cover_cache.h"
#include "core/file_name_bytes.h"
#include "core/handoff_text.h"
#include "core/instance_channel.h"
#include "core/media_engine_factory.h"
#include "core/settings_file.h"
#include "core/termination_signal.h"
#include "core/user_settings.h"
#include "display/command_line.h"
#include "display/open_dialog.h"
#include "window/lumo.h"
#include "window/mpris_service.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <cstdio>

namespace {

// --help and --version: printed without a window, a display or the hand-off.
int AnswerCommandLine(int argc, char *argv[], CommandLine::Action action)
{
    QCoreApplication core(argc, argv);
    InstallTranslation(UserLocale());
    const QString text = action == CommandLine::Action::Help
                             ? HelpText(QCoreApplication::arguments().value(0))
                             : VersionText();
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const QList<QByteArray> arguments = RawArguments(argc, argv);
    const CommandLine line = ParseCommandLine(arguments);
    if (line.action != CommandLine::Action::Run)
        return AnswerCommandLine(argc, argv, line.action);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lumo"));
    QApplication::setDesktopFileName(QStringLiteral("lumo"));
    InstallTranslation(UserLocale());
    // From here on SIGTERM, SIGINT and SIGHUP close the player in order.
    TerminationSignal termination;

    Lumo::Environment env;
    env.stopMessage = [](const QString &text, const QString &title) {
        QMessageBox::critical(nullptr, title, text);
    };
    env.infoMessage = [](const QString &text, const QString &title) {
        QMessageBox::information(nullptr, title, text);
    };
    env.openDialog = ShowOpenDialog;
    env.saveListDialog = ShowSaveListDialog;
    env.coverCacheDirectory = CoverCacheDirectory();
    env.engineFactory = MakeMediaEngineFactory();
    env.settingsPath = SettingsFilePath(QCoreApplication::applicationDirPath());
    env.userSettingsPath = UserSettingsFilePath();

    Lumo window(env);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/lumo.png")));

    // The names as the system spells them: Qt's own argument list would garble any name that
    // is not UTF-8.
    const QList<QByteArray> names = BuildHandoffNames(
        QList<QByteArray>{arguments.value(0)} + line.files, CurrentDirectoryBytes());
    InstanceChannel channel(InstanceServerName(window.VL));
    channel.SetAbandonCheck(&TerminationSignal::Pending);
    if (channel.Start(names) != InstanceChannel::Role::Primary) {
        // A second start: the running player took the files (or this start was told to end
        // while it waited for a busy player); this window never shows.
        window.close();
        return 0;
    }

    // Closing the window ends the program whatever runs at that moment: the first open
    // before the event loop, a message box or a dialog; and the hand-off is let go at once.
    bool unloaded = false;
    QObject::connect(&window, &Lumo::Unloading, &app, [&] {
        unloaded = true;
        channel.Close();
        QCoreApplication::exit(0);
    });
    QObject::connect(&channel, &InstanceChannel::Received, &window, &Lumo::SetHandoffText);
    // Media keys and desktop widgets reach the player over the session bus, when there is one.
    new MprisService(&window);
    QObject::connect(&termination, &TerminationSignal::Received, &window, &QWidget::close);
    window.show();
    window.SetHandoffText(HandoffTextOf(names));
    if (line.files.isEmpty())
        window.ResumeLastSession();
    return unloaded ? 0 : app.exec();
}
