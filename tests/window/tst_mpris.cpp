// The built player on a private session bus, driven by a real MPRIS client (playerctl): the
// client's commands change the player's real state, and what it reports is that state.
#include "display/tag_readers.h"
#include "support/fixtures.h"
#include "support/player_process.h"
#include "support/playerctl.h"
#include "support/tagged_media.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

// Records the player's announcements on the bus.
class Listener : public QObject
{
    Q_OBJECT

public:
    QList<QVariantMap> changes;
    QList<qlonglong> seeks;

public slots:
    void PropertiesChanged(const QString &, const QVariantMap &changed, const QStringList &)
    {
        changes << changed;
    }
    void Seeked(qlonglong position) { seeks << position; }
};

// The artists in an announced change of the metadata.
QStringList ArtistOf(const QVariantMap &change)
{
    const QVariant metadata = change.value(QStringLiteral("Metadata"));
    QVariantMap map;
    if (metadata.canConvert<QDBusArgument>())
        qvariant_cast<QDBusArgument>(metadata) >> map;
    else
        map = metadata.toMap();
    QVariant artist = map.value(QStringLiteral("xesam:artist"));
    if (artist.canConvert<QDBusVariant>())
        artist = qvariant_cast<QDBusVariant>(artist).variant();
    return artist.toStringList();
}

bool Announced(const Listener &listener, const QString &name, const QVariant &value)
{
    for (const QVariantMap &change : listener.changes)
        if (change.contains(name) && change.value(name) == value)
            return true;
    return false;
}

} // namespace

class TestMpris : public QObject
{
    Q_OBJECT

    QProcess bus_;
    QString address_;
    QString playerctl_;
    PlayerProcess lumo_;
    QProcess player_;

    // Runs playerctl for the player; its output, trimmed.
    QString Ctl(const QStringList &arguments)
    {
        return RunPlayerctl(playerctl_, address_, arguments);
    }

    QString Url(const QString &path) const
    {
        return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    }

private slots:
    void initTestCase()
    {
        playerctl_ = QStandardPaths::findExecutable(QStringLiteral("playerctl"));
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        QVERIFY2(!playerctl_.isEmpty() && !daemon.isEmpty(), "scripts/install-deps installs them");
        bus_.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                            QStringLiteral("--print-address")});
        QVERIFY(bus_.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(bus_.canReadLine(), 20000);
        address_ = QString::fromUtf8(bus_.readLine()).trimmed();
        QVERIFY(!address_.isEmpty());
    }

    void cleanupTestCase()
    {
        if (player_.state() != QProcess::NotRunning) {
            player_.kill();
            player_.waitForFinished();
        }
        bus_.terminate();
        bus_.waitForFinished(10000);
    }

    void clientDrivesThePlayer()
    {
        const QString tune = QStringLiteral(LUMO_SOURCE_DIR "/player/resources/demo/demo.mp3");
        const QString second = Fixture(QStringLiteral("tone_2s.mp3"));
        QTemporaryDir media;
        const QString tagged =
            TaggedMedia::MakeTaggedSound(media.path(), QStringLiteral("flac"), true);
        QVERIFY2(!tagged.isEmpty(), "ffmpeg could not write the tagged file");
        lumo_.env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
        lumo_.Start(player_, {tune, second, tagged});
        QVERIFY(player_.waitForStarted());

        QDBusConnection watcher = QDBusConnection::connectToBus(address_, QStringLiteral("test"));
        QVERIFY(watcher.isConnected());
        Listener listener;
        const QString path = QStringLiteral("/org/mpris/MediaPlayer2");
        QVERIFY(watcher.connect(QString(), path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                QStringLiteral("PropertiesChanged"), &listener,
                                SLOT(PropertiesChanged(QString, QVariantMap, QStringList))));
        QVERIFY(watcher.connect(QString(), path, QStringLiteral("org.mpris.MediaPlayer2.Player"),
                                QStringLiteral("Seeked"), &listener, SLOT(Seeked(qlonglong))));

        QTRY_COMPARE_WITH_TIMEOUT(Ctl({QStringLiteral("status")}), QStringLiteral("Playing"),
                                  30000);
        // Two names handed in at the start: the play mode became all, which repeats nothing.
        QCOMPARE(Ctl({QStringLiteral("loop")}), QStringLiteral("None"));
        QString title = ReadMp3Title(tune);
        if (title.isEmpty())
            title = QStringLiteral("demo");
        QCOMPARE(Ctl({QStringLiteral("metadata"), QStringLiteral("title")}), title);
        QCOMPARE(Ctl({QStringLiteral("metadata"), QStringLiteral("xesam:url")}), Url(tune));
        const qlonglong length =
            Ctl({QStringLiteral("metadata"), QStringLiteral("mpris:length")}).toLongLong();
        QVERIFY2(length > 31'000'000 && length < 33'000'000, qPrintable(QString::number(length)));

        Ctl({QStringLiteral("play-pause")});
        QTRY_COMPARE_WITH_TIMEOUT(Ctl({QStringLiteral("status")}), QStringLiteral("Paused"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(
            Announced(listener, QStringLiteral("PlaybackStatus"), QStringLiteral("Paused")), 10000);

        Ctl({QStringLiteral("position"), QStringLiteral("10")});
        QTRY_VERIFY_WITH_TIMEOUT(!listener.seeks.isEmpty(), 10000);
        QVERIFY(qAbs(listener.seeks.last() - 10'000'000) < 500'000);
        // Paused, so the position stays where it was put.
        const double position = Ctl({QStringLiteral("position")}).toDouble();
        QVERIFY2(qAbs(position - 10.0) < 0.5, qPrintable(QString::number(position)));

        Ctl({QStringLiteral("play-pause")});
        QTRY_COMPARE_WITH_TIMEOUT(Ctl({QStringLiteral("status")}), QStringLiteral("Playing"),
                                  10000);

        Ctl({QStringLiteral("volume"), QStringLiteral("0.5")});
        QTRY_COMPARE_WITH_TIMEOUT(Ctl({QStringLiteral("volume")}).toDouble(), 0.5, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(Announced(listener, QStringLiteral("Volume"), 0.5), 10000);

        Ctl({QStringLiteral("next")});
        QTRY_COMPARE_WITH_TIMEOUT(Ctl({QStringLiteral("metadata"), QStringLiteral("xesam:url")}),
                                  Url(second), 30000);
        QCOMPARE(Ctl({QStringLiteral("metadata"), QStringLiteral("title")}),
                 ReadMp3Title(second).isEmpty() ? QStringLiteral("tone_2s") : ReadMp3Title(second));

        // A tagged FLAC file: its tags, and its cover written to the cache as a file.
        Ctl({QStringLiteral("next")});
        QTRY_COMPARE_WITH_TIMEOUT(Ctl({QStringLiteral("metadata"), QStringLiteral("xesam:url")}),
                                  Url(tagged), 30000);
        QCOMPARE(Ctl({QStringLiteral("metadata"), QStringLiteral("title")}), TaggedMedia::Title);
        QCOMPARE(Ctl({QStringLiteral("metadata"), QStringLiteral("artist")}), TaggedMedia::Artist);
        QCOMPARE(Ctl({QStringLiteral("metadata"), QStringLiteral("album")}), TaggedMedia::Album);
        QCOMPARE(Ctl({QStringLiteral("metadata"), QStringLiteral("xesam:trackNumber")}),
                 QString::number(TaggedMedia::Track));
        const QUrl art(Ctl({QStringLiteral("metadata"), QStringLiteral("mpris:artUrl")}));
        QVERIFY2(art.isLocalFile(), qPrintable(art.toString()));
        QFile cover(art.toLocalFile());
        QVERIFY(cover.open(QIODevice::ReadOnly));
        QCOMPARE(cover.readAll(), TaggedMedia::SmallPng());
        QTRY_VERIFY_WITH_TIMEOUT(std::any_of(listener.changes.cbegin(), listener.changes.cend(),
                                             [](const QVariantMap &change) {
                                                 return ArtistOf(change) ==
                                                        QStringList{TaggedMedia::Artist};
                                             }),
                                 10000);

        // Quit through the bus: the player ends in order and keeps the volume for the user.
        QDBusMessage quit = QDBusMessage::createMethodCall(
            QStringLiteral("org.mpris.MediaPlayer2.lumo"), path,
            QStringLiteral("org.mpris.MediaPlayer2"), QStringLiteral("Quit"));
        QVERIFY(watcher.call(quit).type() != QDBusMessage::ErrorMessage);
        QVERIFY(player_.waitForFinished(20000));
        QCOMPARE(player_.exitStatus(), QProcess::NormalExit);
        QCOMPARE(player_.exitCode(), 0);
        QFile user(lumo_.ConfigPath(QStringLiteral("lumo-user.ini")));
        QVERIFY(user.open(QIODevice::ReadOnly));
        QVERIFY(user.readAll().contains("Volume=50"));
        QDBusConnection::disconnectFromBus(QStringLiteral("test"));
    }
};

QTEST_GUILESS_MAIN(TestMpris)
#include "tst_mpris.moc"
