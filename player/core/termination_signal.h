#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a session ending, Ctrl+C in a terminal) into a Qt signal
// on the user-interface thread, so the player can close in order and keep its settings. A
// second signal ends the program at once.
class TerminationSignal : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignal(QObject *parent = nullptr);
    ~TerminationSignal() override;

    // Whether one of the signals has come, also before the event loop could report it.
    static bool Pending();

signals:
    void Received();

private:
    QSocketNotifier *notifier_ = nullptr;
};
