#include "core/media_engine_factory.h"

#include "core/gst_sound_engine.h"
#include "core/media_decoder_preference.h"
#include "core/media_probe.h"
#include "core/qt_media_engine.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <future>

namespace {

// Looks into the file on a thread of its own while the window's events go on.
MediaProbe ProbeKeepingEventsFlowing(const QString &path)
{
    std::future<MediaProbe> answer =
        std::async(std::launch::async, [path] { return ProbeMediaFile(path); });
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
            loop.quit();
    });
    poll.start(2);
    if (answer.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        loop.exec();
    return answer.get();
}

} // namespace

MediaEngineFactory MakeMediaEngineFactory()
{
    // Made before the first engine, so the media framework starts with these decoder ranks.
    PreferMpg123ForMpegAudio();
    return [](const QString &path) -> std::unique_ptr<MediaEngine> {
        const MediaProbe probe = ProbeKeepingEventsFlowing(path);
        if (probe.playable && probe.sound && !probe.midi)
            return std::make_unique<GstSoundEngine>();
        return std::make_unique<QtMediaEngine>();
    };
}
