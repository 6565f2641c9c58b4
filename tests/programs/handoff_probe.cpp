// Starts the way the player starts: hands its arguments to a running instance, or becomes
// the running instance itself. Reports on stdout, one line each:
//   "handed-off <ms>"                  a running instance took the text; the probe ends at once
//   "primary <ms> listening|deaf"      this probe is the running instance
//   "text <base64>"                    its own text, then "received <base64>" per hand-off
// <ms> is the time the start took. The primary ends when stdin says "quit" or closes, or after
// LUMO_PROBE_LIFETIME_MS (default 30000).
#include "core/file_name_bytes.h"
#include "core/handoff_text.h"
#include "core/instance_channel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

void Report(const QByteArray &line)
{
    std::fputs((line + '\n').constData(), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer clock;
    clock.start();
    QCoreApplication app(argc, argv);

    const QList<QByteArray> names =
        BuildHandoffNames(RawArguments(argc, argv), CurrentDirectoryBytes());
    InstanceChannel channel(InstanceServerName(QStringLiteral("Lumo \"sorvane\"")));
    const InstanceChannel::Role role = channel.Start(names);
    const QByteArray elapsed = QByteArray::number(clock.elapsed());
    if (role == InstanceChannel::Role::HandedOff) {
        Report("handed-off " + elapsed);
        return 0;
    }
    Report("primary " + elapsed + (channel.IsListening() ? " listening" : " deaf"));
    Report("text " + HandoffTextOf(names).toUtf8().toBase64());
    QObject::connect(&channel, &InstanceChannel::Received, [](const QString &received) {
        Report("received " + received.toUtf8().toBase64());
    });

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&app] {
        char buffer[256];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0 || QByteArray(buffer, count).contains("quit"))
            app.quit();
    });
    const int lifetime = qEnvironmentVariableIsSet("LUMO_PROBE_LIFETIME_MS")
                             ? qEnvironmentVariableIntValue("LUMO_PROBE_LIFETIME_MS")
                             : 30000;
    QTimer::singleShot(lifetime, &app, &QCoreApplication::quit);
    return app.exec();
}
