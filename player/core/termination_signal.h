#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a session ending, Ctrl+C in a terminal) into a Qt signal
// on the user-interface thread, so the player can close in order and keep its settings.
class TerminationSignal : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignal(QObject *parent = nullptr);
    ~TerminationSignal() override;

signals:
    void Received();

private:
    QSocketNotifier *notifier_ = nullptr;
};
