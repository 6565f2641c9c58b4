#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QVariantMap>

class Lumo;
class MprisPlayer;

// Puts the player on the session bus as org.mpris.MediaPlayer2.lumo, so media keys and the
// desktop's media widgets reach it. Without a session bus it does nothing. Whenever the window
// says its state changed (a medium shown, a button's state, the play mode, the volume) and on
// each tick of its main timer, it announces what changed (PropertiesChanged) and jumps of the
// position that playback alone does not explain (Seeked), whichever control caused them.
class MprisService : public QObject
{
    Q_OBJECT

public:
    explicit MprisService(Lumo *window);

    // Whether the service name was taken on the bus.
    bool Registered() const { return registered_; }

    // The main timer's ticks are looked at no closer together than this.
    static constexpr int TickSpacingMs = 200;

private:
    void Watch();
    void WatchTick();

    Lumo *window_;
    MprisPlayer *player_ = nullptr;
    bool registered_ = false;
    QVariantMap last_;
    qlonglong lastPosition_ = 0;
    QElapsedTimer sinceLast_;
    QElapsedTimer sinceTick_;
    // The transport state and entry last looked at: a tick that changed them is looked at now.
    int lastCt_ = -1, lastIndex_ = -1;
};
