#include "core/media_engine_factory.h"

#include "core/event_wait.h"
#include "core/gst_sound_engine.h"
#include "core/media_decoder_preference.h"
#include "core/media_probe.h"
#include "core/qt_media_engine.h"

#include <future>

namespace {

constexpr int ProbeTimeoutMs = 5000;

// Looks into the file on a thread of its own while the window's events go on.
MediaProbe ProbeKeepingEventsFlowing(const QString &path)
{
    std::future<MediaProbe> answer =
        std::async(std::launch::async, [path] { return ProbeMediaFile(path, ProbeTimeoutMs); });
    // The look itself gives up after its own timeout; this bound only keeps a margin above it.
    WaitWithEvents(
        [&answer] { return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
        2 * ProbeTimeoutMs, 2);
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
