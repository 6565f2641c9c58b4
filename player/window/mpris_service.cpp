#include "window/mpris_service.h"

#include "window/lumo.h"
#include "window/mpris_player.h"
#include "window/mpris_root.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QTimer>

#include <cstdlib>

namespace {

const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString ServiceName = QStringLiteral("org.mpris.MediaPlayer2.lumo");
// A jump of the position by more than this, beyond what playback explains, is a seek.
constexpr qlonglong SeekToleranceUs = 1'000'000;

} // namespace

MprisService::MprisService(Lumo *window) : QObject(window), window_(window)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    auto *object = new QObject(this);
    new MprisRoot(object, window);
    player_ = new MprisPlayer(object, window);
    if (!bus.registerObject(ObjectPath, object))
        return;
    // A second player of the same user on the same bus takes a name of its own.
    registered_ =
        bus.registerService(ServiceName) ||
        bus.registerService(ServiceName +
                            QStringLiteral(".instance%1").arg(QCoreApplication::applicationPid()));
    if (!registered_) {
        bus.unregisterObject(ObjectPath);
        return;
    }
    last_ = player_->ChangingProperties();
    lastPosition_ = player_->Position();
    sinceLast_.start();
    connect(window, &Lumo::MediumChanged, this, &MprisService::Watch);
    connect(window, &Lumo::StateChanged, this, &MprisService::Watch);
    // The tick runs the end of a medium and moves the position; this runs after it.
    connect(window->Timer, &QTimer::timeout, this, &MprisService::WatchTick);
}

// The timer ticks up to a hundred times a second while the analyzer draws; a few looks a second
// are enough for what a tick changes by itself (the end of a medium, the position).
void MprisService::WatchTick()
{
    const bool moved = window_->CT != lastCt_ || window_->PlayIndex != lastIndex_;
    if (!moved && sinceTick_.isValid() && sinceTick_.elapsed() < TickSpacingMs)
        return;
    sinceTick_.restart();
    Watch();
}

void MprisService::Watch()
{
    lastCt_ = window_->CT;
    lastIndex_ = window_->PlayIndex;
    const QVariantMap now = player_->ChangingProperties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (last_.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    const bool sameTrack =
        now.value(QStringLiteral("Metadata")) == last_.value(QStringLiteral("Metadata"));
    last_ = now;
    if (!changed.isEmpty()) {
        QDBusMessage signal = QDBusMessage::createSignal(
            ObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("PropertiesChanged"));
        signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << changed << QStringList();
        QDBusConnection::sessionBus().send(signal);
    }

    const qlonglong position = player_->Position();
    const bool playing = window_->CT == 1;
    const qint64 elapsedMs = sinceLast_.restart();
    const qlonglong expected =
        lastPosition_ + (playing ? static_cast<qlonglong>(elapsedMs * 1000 * player_->Rate()) : 0);
    if (sameTrack && std::llabs(position - expected) > SeekToleranceUs)
        emit player_->Seeked(position);
    lastPosition_ = position;
}
