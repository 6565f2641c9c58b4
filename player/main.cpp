// Lumo: starts the player, or hands the command line to the player that already runs.
#include "core/file_name_bytes.h"
#include "core/handoff_text.h"
#include "core/instance_channel.h"
#include "core/qt_media_engine_factory.h"
#include "core/settings_file.h"
#include "core/termination_signal.h"
#include "core/user_settings.h"
#include "display/open_dialog.h"
#include "window/lumo.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lumo"));
    QApplication::setDesktopFileName(QStringLiteral("lumo"));
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
    env.engineFactory = MakeQtMediaEngineFactory();
    env.settingsPath = SettingsFilePath(QCoreApplication::applicationDirPath());
    env.userSettingsPath = UserSettingsPath();

    Lumo window(env);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/lumo.png")));

    // The names as the system spells them: Qt's own argument list would garble any name that
    // is not UTF-8.
    const QList<QByteArray> names =
        BuildHandoffNames(RawArguments(argc, argv), CurrentDirectoryBytes());
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
    QObject::connect(&termination, &TerminationSignal::Received, &window, &QWidget::close);
    window.show();
    window.SetHandoffText(HandoffTextOf(names));
    return unloaded ? 0 : app.exec();
}
