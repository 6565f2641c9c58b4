#include "core/gst_sound_engine.h"
#include "core/event_wait.h"

#include "base/steady_clock.h"

#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <string>

// What the pipeline's streaming threads, the probe workers and the user-interface thread
// share. The queue part lives as long as the engine: the next file while it is looked at and,
// once found to be a sound, its address. The rest belongs to the pipeline of the current
// generation (a restart builds a new one): whether the address was handed over, and what the
// output's input pad has seen.
struct SoundStreamShared
{
    std::mutex mutex;
    std::condition_variable probed;
    int generation = 0;
    int queueToken = 0;
    bool probing = false;
    std::string nextUri;
    std::optional<double> nextSeconds;

    bool handedOver = false;
    int streamStarts = 0;
    bool awaitJoinSegment = false;
    GstSegment segment{};
    bool hasSegment = false;

    std::atomic<bool> joinSeen{false};
    std::atomic<std::int64_t> joinRunningTime{0};
    std::atomic<std::int64_t> writtenRunningTime{-1};

    // Loudness tags of the file entering the gain stage, and the gain set there.
    ReplayGainMode gainMode = ReplayGainMode::Off;
    ReplayGainTags gainTags;
    double gainDb = 0.0;
    GstElement *gainStage = nullptr;

    // Sets the gain stage for the tags and mode; with the mutex held.
    void ApplyGain()
    {
        gainDb = ReplayGainDb(gainTags, gainMode);
        if (gainStage != nullptr)
            g_object_set(gainStage, "volume", std::pow(10.0, gainDb / 20.0), nullptr);
    }
};

// What a pipeline's callbacks carry: the shared state, and the generation they belong to; a
// callback of a pipeline taken down leaves the state alone.
struct PipelineTag
{
    std::shared_ptr<SoundStreamShared> shared;
    int generation = 0;
};

namespace {

// playbin's flags: audio only, with its own volume.
constexpr guint PlayFlagAudio = 0x2;
constexpr guint PlayFlagSoftVolume = 0x10;

constexpr int JoinTickMs = 5;
// How long the end of a file waits for the look into the next one.
constexpr auto ProbeWait = std::chrono::seconds(3);

QByteArray UriOf(const QString &path)
{
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded();
}

void DeleteTag(gpointer data, GClosure * = nullptr)
{
    delete static_cast<PipelineTag *>(data);
}

void DeleteTagNotify(gpointer data)
{
    DeleteTag(data);
}

// Runs on a streaming thread when the current file has been read to its end, which for a short
// file may be before it is heard at all: hands the next file to playbin, once, waiting for the
// look into it if that is still going on. It waits for no user-interface thread.
void OnAboutToFinish(GstElement *playbin, gpointer data)
{
    const auto *tag = static_cast<PipelineTag *>(data);
    SoundStreamShared &shared = *tag->shared;
    std::unique_lock lock(shared.mutex);
    if (tag->generation != shared.generation || shared.handedOver)
        return;
    shared.probed.wait_for(lock, ProbeWait, [&shared] { return !shared.probing; });
    if (tag->generation != shared.generation || shared.nextUri.empty())
        return;
    g_object_set(playbin, "uri", shared.nextUri.c_str(), nullptr);
    shared.handedOver = true;
    lock.unlock();
    // Wakes the engine, which from now on watches for the moment the new file is heard.
    gst_element_post_message(
        playbin, gst_message_new_application(GST_OBJECT(playbin),
                                             gst_structure_new_empty("lumo-handed-over")));
}

// Watches what reaches the output: the segment that opens a joined file gives the running
// time of its first sample, and each buffer how far the written samples reach.
GstPadProbeReturn OnOutputData(GstPad *, GstPadProbeInfo *info, gpointer data)
{
    const auto *tag = static_cast<PipelineTag *>(data);
    SoundStreamShared &shared = *tag->shared;
    const std::lock_guard lock(shared.mutex);
    if (tag->generation != shared.generation)
        return GST_PAD_PROBE_OK;
    if ((info->type & GST_PAD_PROBE_TYPE_BUFFER) != 0) {
        GstBuffer *buffer = GST_PAD_PROBE_INFO_BUFFER(info);
        if (shared.hasSegment && GST_BUFFER_PTS_IS_VALID(buffer)) {
            GstClockTime end = GST_BUFFER_PTS(buffer);
            if (GST_BUFFER_DURATION_IS_VALID(buffer))
                end += GST_BUFFER_DURATION(buffer);
            const guint64 running =
                gst_segment_to_running_time(&shared.segment, GST_FORMAT_TIME, end);
            if (GST_CLOCK_TIME_IS_VALID(running))
                shared.writtenRunningTime = static_cast<std::int64_t>(running);
        }
        return GST_PAD_PROBE_OK;
    }
    GstEvent *event = GST_PAD_PROBE_INFO_EVENT(info);
    switch (GST_EVENT_TYPE(event)) {
    case GST_EVENT_STREAM_START:
        ++shared.streamStarts;
        if (shared.streamStarts > 1 && shared.handedOver)
            shared.awaitJoinSegment = true;
        break;
    case GST_EVENT_SEGMENT: {
        const GstSegment *segment = nullptr;
        gst_event_parse_segment(event, &segment);
        gst_segment_copy_into(segment, &shared.segment);
        shared.hasSegment = true;
        if (shared.awaitJoinSegment && segment->format == GST_FORMAT_TIME) {
            shared.awaitJoinSegment = false;
            const guint64 running =
                gst_segment_to_running_time(segment, GST_FORMAT_TIME, segment->start);
            shared.joinRunningTime = static_cast<std::int64_t>(running);
            shared.joinSeen = true;
        }
        break;
    }
    case GST_EVENT_FLUSH_STOP:
        shared.hasSegment = false;
        shared.writtenRunningTime = -1;
        break;
    default:
        break;
    }
    return GST_PAD_PROBE_OK;
}

// Reads the loudness tags of each file as they pass the gain stage, before its samples do,
// and sets the gain for them; a file without tags starts from no gain.
GstPadProbeReturn OnGainEvent(GstPad *, GstPadProbeInfo *info, gpointer data)
{
    const auto *tag = static_cast<PipelineTag *>(data);
    SoundStreamShared &shared = *tag->shared;
    GstEvent *event = GST_PAD_PROBE_INFO_EVENT(info);
    const std::lock_guard lock(shared.mutex);
    if (tag->generation != shared.generation)
        return GST_PAD_PROBE_OK;
    if (GST_EVENT_TYPE(event) == GST_EVENT_STREAM_START) {
        shared.gainTags = {};
        shared.ApplyGain();
    } else if (GST_EVENT_TYPE(event) == GST_EVENT_TAG) {
        GstTagList *list = nullptr;
        gst_event_parse_tag(event, &list);
        ReplayGainTags &tags = shared.gainTags;
        gdouble value = 0;
        if (gst_tag_list_get_double(list, GST_TAG_TRACK_GAIN, &value))
            tags.trackGain = value;
        if (gst_tag_list_get_double(list, GST_TAG_ALBUM_GAIN, &value))
            tags.albumGain = value;
        if (gst_tag_list_get_double(list, GST_TAG_TRACK_PEAK, &value))
            tags.trackPeak = value;
        if (gst_tag_list_get_double(list, GST_TAG_ALBUM_PEAK, &value))
            tags.albumPeak = value;
        const guint comments = gst_tag_list_get_tag_size(list, GST_TAG_EXTENDED_COMMENT);
        for (guint i = 0; i < comments; ++i) {
            const gchar *comment = nullptr;
            if (gst_tag_list_peek_string_index(list, GST_TAG_EXTENDED_COMMENT, i, &comment))
                TakeR128Comment(QString::fromUtf8(comment), tags);
        }
        shared.ApplyGain();
    }
    return GST_PAD_PROBE_OK;
}

// Hands every bus message to the engine's context on the user-interface thread.
GstBusSyncReply OnBusMessage(GstBus *, GstMessage *message, gpointer data)
{
    auto *deliver = static_cast<std::function<void(GstMessage *)> *>(data);
    (*deliver)(message);
    return GST_BUS_DROP;
}

void DeleteDeliver(gpointer data)
{
    delete static_cast<std::function<void(GstMessage *)> *>(data);
}

bool IsInside(GstObject *object, GstElement *ancestor)
{
    return object != nullptr && ancestor != nullptr &&
           (object == GST_OBJECT(ancestor) ||
            gst_object_has_as_ancestor(object, GST_OBJECT(ancestor)));
}

} // namespace

GstSoundEngine::GstSoundEngine() : GstSoundEngine(Options{}) {}

GstSoundEngine::GstSoundEngine(Options engineOptions)
    : options(std::move(engineOptions)), shared(std::make_shared<SoundStreamShared>())
{
    gst_init(nullptr, nullptr);
    if (!options.makeOutput)
        options.makeOutput = MakeAudioOutput;
    QObject::connect(&tick, &QTimer::timeout, &context, [this] { OnTick(); });
}

GstSoundEngine::~GstSoundEngine()
{
    tick.stop();
    {
        // A streaming thread waiting for the look into the next file gives up at once.
        const std::lock_guard lock(shared->mutex);
        ++shared->generation;
        shared->probing = false;
        shared->nextUri.clear();
    }
    shared->probed.notify_all();
    Retire();
    for (std::thread &thread : retired)
        thread.join();
    for (std::future<void> &probe : probes)
        probe.wait();
}

// Builds the pipeline for a file, paused before its first sample; the previous one, if any,
// is retired first. A next file already accepted stays queued for the new pipeline.
bool GstSoundEngine::Build(const QString &path)
{
    Retire();
    int generation = 0;
    {
        const std::lock_guard lock(shared->mutex);
        generation = ++shared->generation;
        shared->handedOver = false;
        shared->streamStarts = 0;
        shared->awaitJoinSegment = false;
        shared->hasSegment = false;
        shared->joinSeen = false;
        shared->writtenRunningTime = -1;
    }
    switchDue = false;
    pipeline = gst_element_factory_make("playbin", nullptr);
    if (pipeline == nullptr)
        return false;
    gst_object_ref_sink(pipeline);
    AudioOutput output = options.makeOutput();
    if (output.sink == nullptr)
        return false;
    sink = output.sink;
    outputReal = output.real;
    g_object_set(pipeline, "flags", PlayFlagAudio | PlayFlagSoftVolume, "audio-sink", sink,
                 "volume", volume, "mute", muted ? TRUE : FALSE, nullptr);
    g_object_set(pipeline, "uri", UriOf(path).constData(), nullptr);

    // The gain stage for loudness tags: a volume of its own, set from the tags in stream order.
    GstElement *gainStage = gst_element_factory_make("volume", nullptr);
    if (gainStage != nullptr) {
        g_object_set(pipeline, "audio-filter", gainStage, nullptr);
        if (GstPad *pad = gst_element_get_static_pad(gainStage, "sink")) {
            gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, OnGainEvent,
                              new PipelineTag{shared, generation}, DeleteTagNotify);
            gst_object_unref(pad);
        }
        const std::lock_guard lock(shared->mutex);
        shared->gainStage = gainStage;
        shared->gainTags = {};
        shared->ApplyGain();
    }

    if (GstPad *pad = gst_element_get_static_pad(sink, "sink")) {
        gst_pad_add_probe(pad,
                          static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_BUFFER |
                                                       GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM),
                          OnOutputData, new PipelineTag{shared, generation}, DeleteTagNotify);
        gst_object_unref(pad);
    }
    g_signal_connect_data(pipeline, "about-to-finish", G_CALLBACK(OnAboutToFinish),
                          new PipelineTag{shared, generation}, DeleteTag, GConnectFlags(0));

    // Messages come on any thread; each is handled on the user-interface thread, where the
    // engine lives, and only while it lives and the pipeline is the current one.
    QObject *target = &context;
    auto *deliver =
        new std::function<void(GstMessage *)>([this, target, generation](GstMessage *message) {
            gst_message_ref(message);
            std::shared_ptr<GstMessage> held(message, gst_message_unref);
            QMetaObject::invokeMethod(
                target,
                [this, held, generation] {
                    if (generation == shared->generation)
                        OnMessage(held.get());
                },
                Qt::QueuedConnection);
        });
    GstBus *bus = gst_element_get_bus(pipeline);
    gst_bus_set_sync_handler(bus, OnBusMessage, deliver, DeleteDeliver);
    gst_object_unref(bus);

    currentPath = path;
    prerolled = failed = atEnd = false;
    untouched = true;
    return Preroll();
}

bool GstSoundEngine::Preroll()
{
    if (gst_element_set_state(pipeline, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE)
        return false;
    if (!WaitWithEvents([this] { return prerolled || failed; }, options.loadTimeoutMs, 2))
        return false;
    return !failed;
}

// Takes the pipeline down on a thread of its own: an output whose server went away may keep
// it waiting, and the window must not.
void GstSoundEngine::Retire()
{
    if (pipeline == nullptr)
        return;
    {
        const std::lock_guard lock(shared->mutex);
        ++shared->generation;
        shared->gainStage = nullptr;
    }
    shared->probed.notify_all();
    GstElement *old = pipeline;
    GstElement *oldSink = sink;
    pipeline = nullptr;
    sink = nullptr;
    GstBus *bus = gst_element_get_bus(old);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    retired.emplace_back([old, oldSink] {
        gst_element_set_state(old, GST_STATE_NULL);
        gst_object_unref(old);
        if (oldSink != nullptr)
            gst_object_unref(oldSink);
    });
}

bool GstSoundEngine::RenderFile(const QString &path)
{
    loaded = false;
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return false;
    if (!Build(path)) {
        Retire();
        return false;
    }
    ReadDuration();
    loaded = true;
    UpdateTick();
    return true;
}

void GstSoundEngine::ReadDuration()
{
    gint64 ns = 0;
    if (pipeline != nullptr && gst_element_query_duration(pipeline, GST_FORMAT_TIME, &ns) && ns > 0)
        durationSeconds = static_cast<double>(ns) / GST_SECOND;
}

void GstSoundEngine::OnMessage(GstMessage *message)
{
    if (pipeline == nullptr)
        return;
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ASYNC_DONE:
        prerolled = true;
        break;
    case GST_MESSAGE_EOS:
        // A joined file whose start reached the output has been heard by now.
        if (shared->joinSeen)
            Switch();
        EndJoin();
        atEnd = true;
        break;
    case GST_MESSAGE_ERROR:
        if (!prerolled) {
            failed = true;
        } else if (outputReal && IsInside(GST_MESSAGE_SRC(message), sink)) {
            BeginRecovery();
        } else {
            // A fault of the stream itself (the joined file's too) ends it, so the player moves
            // on instead of waiting at a stalled position.
            EndJoin();
            atEnd = true;
        }
        break;
    case GST_MESSAGE_CLOCK_LOST:
        if (wanted == Wanted::Playing) {
            gst_element_set_state(pipeline, GST_STATE_PAUSED);
            gst_element_set_state(pipeline, GST_STATE_PLAYING);
        }
        break;
    case GST_MESSAGE_LATENCY:
        gst_bin_recalculate_latency(GST_BIN(pipeline));
        break;
    case GST_MESSAGE_DURATION_CHANGED:
        if (!shared->joinSeen && !JoinPending())
            ReadDuration();
        break;
    default:
        break;
    }
    UpdateTick();
}

void GstSoundEngine::UpdateTick()
{
    int interval = 0;
    if (shared->joinSeen || JoinPending())
        interval = JoinTickMs;
    else if (recovering)
        interval = options.retryIntervalMs;
    if (interval == 0) {
        tick.stop();
    } else if (!tick.isActive() || tick.interval() != interval) {
        tick.start(interval);
    }
}

void GstSoundEngine::OnTick()
{
    DropFinishedProbes();
    if (recovering)
        TryRecover();
    CheckJoin();
    if (switchDue)
        Switch();
    UpdateTick();
}

std::optional<std::int64_t> GstSoundEngine::RunningTime() const
{
    if (pipeline == nullptr)
        return std::nullopt;
    GstState state = GST_STATE_NULL;
    gst_element_get_state(pipeline, &state, nullptr, 0);
    if (state != GST_STATE_PLAYING) {
        const GstClockTime start = gst_element_get_start_time(pipeline);
        if (!GST_CLOCK_TIME_IS_VALID(start))
            return std::nullopt;
        return static_cast<std::int64_t>(start);
    }
    GstClock *clock = gst_element_get_clock(pipeline);
    if (clock == nullptr)
        return std::nullopt;
    const GstClockTime now = gst_clock_get_time(clock);
    gst_object_unref(clock);
    const GstClockTime base = gst_element_get_base_time(pipeline);
    return static_cast<std::int64_t>(now) - static_cast<std::int64_t>(base);
}

void GstSoundEngine::CheckJoin() const
{
    if (!shared->joinSeen || switchDue || pipeline == nullptr)
        return;
    const std::optional<std::int64_t> now = RunningTime();
    if (now && *now >= shared->joinRunningTime)
        switchDue = true;
}

void GstSoundEngine::Switch()
{
    switchDue = false;
    std::optional<double> joinedSeconds;
    {
        const std::lock_guard lock(shared->mutex);
        shared->handedOver = false;
        shared->nextUri.clear();
        joinedSeconds = shared->nextSeconds;
        shared->nextSeconds.reset();
        ++shared->queueToken;
    }
    shared->joinSeen = false;
    currentPath = nextPath;
    nextPath.clear();
    atEnd = false;
    rate = 1.0;
    lastPosition = 0;
    durationSeconds = joinedSeconds.value_or(0.0);
    ReadDuration();
    if (joinedHandler)
        joinedHandler();
}

// The stream ended: a file handed over but never started will not be heard.
void GstSoundEngine::EndJoin()
{
    {
        const std::lock_guard lock(shared->mutex);
        shared->handedOver = false;
    }
    shared->joinSeen = false;
    switchDue = false;
}

bool GstSoundEngine::QueueNext(const QString &path)
{
    if (JoinPending() || shared->joinSeen)
        return path == nextPath;
    if (path == nextPath && !path.isEmpty())
        return true;
    CancelNext();
    if (path.isEmpty())
        return false;
    nextPath = path;
    int token = 0;
    {
        const std::lock_guard lock(shared->mutex);
        token = ++shared->queueToken;
        shared->probing = true;
    }
    // The look into the file runs on a worker; only a sound that is no MIDI is joined.
    probes.push_back(std::async(std::launch::async, [path, token, queue = shared] {
        const MediaProbe found = ProbeMediaFile(path);
        {
            const std::lock_guard lock(queue->mutex);
            if (token != queue->queueToken)
                return;
            queue->probing = false;
            if (found.playable && found.sound && !found.midi) {
                queue->nextUri = UriOf(path).toStdString();
                queue->nextSeconds = found.seconds;
            }
        }
        queue->probed.notify_all();
    }));
    DropFinishedProbes();
    return true;
}

void GstSoundEngine::DropFinishedProbes()
{
    std::erase_if(probes, [](const std::future<void> &probe) {
        return probe.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    });
}

void GstSoundEngine::CancelNext()
{
    if (JoinPending() || shared->joinSeen)
        return;
    nextPath.clear();
    {
        const std::lock_guard lock(shared->mutex);
        ++shared->queueToken;
        shared->probing = false;
        shared->nextUri.clear();
        shared->nextSeconds.reset();
    }
    shared->probed.notify_all();
}

bool GstSoundEngine::NextAccepted() const
{
    const std::lock_guard lock(shared->mutex);
    return !shared->nextUri.empty() || shared->handedOver;
}

bool GstSoundEngine::JoinPending() const
{
    const std::lock_guard lock(shared->mutex);
    return shared->handedOver;
}

void GstSoundEngine::SetJoinedHandler(std::function<void()> handler)
{
    joinedHandler = std::move(handler);
}

void GstSoundEngine::SetSelfPausedHandler(std::function<void()> handler)
{
    selfPausedHandler = std::move(handler);
}

std::optional<double> GstSoundEngine::OutputLatency() const
{
    if (!outputReal || pipeline == nullptr)
        return std::nullopt;
    const std::int64_t written = shared->writtenRunningTime;
    const std::optional<std::int64_t> now = RunningTime();
    if (written < 0 || !now)
        return std::nullopt;
    return static_cast<double>(std::max<std::int64_t>(0, written - *now)) / GST_SECOND;
}

bool GstSoundEngine::Run()
{
    if (!loaded)
        return false;
    wanted = Wanted::Playing;
    pausedBySelf = false;
    if (recovering)
        return true;
    if (atEnd)
        Seek(0, rate);
    untouched = false;
    return gst_element_set_state(pipeline, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE;
}

bool GstSoundEngine::Pause()
{
    if (!loaded)
        return false;
    lastPosition = CurrentPosition().value_or(lastPosition);
    wanted = Wanted::Paused;
    if (recovering)
        return true;
    return gst_element_set_state(pipeline, GST_STATE_PAUSED) != GST_STATE_CHANGE_FAILURE;
}

bool GstSoundEngine::Stop()
{
    // Like pausing: the position stays where it is and the next run continues from there.
    return Pause();
}

std::optional<double> GstSoundEngine::Duration() const
{
    if (!loaded)
        return std::nullopt;
    return durationSeconds;
}

std::optional<double> GstSoundEngine::CurrentPosition() const
{
    if (!loaded)
        return std::nullopt;
    if (recovering || pipeline == nullptr)
        return lastPosition;
    CheckJoin();
    // The joined file is heard from now on; the engine's next tick switches over, and a reader
    // sees the end of the previous file meanwhile.
    if (switchDue || atEnd)
        return durationSeconds;
    if (shared->joinSeen) {
        // The output already holds the joined file's start; until it is heard, the previous
        // file's position follows from the time left to it.
        if (const std::optional<std::int64_t> now = RunningTime()) {
            const double left =
                static_cast<double>(shared->joinRunningTime - *now) / GST_SECOND * rate;
            lastPosition = std::clamp(durationSeconds - left, 0.0, durationSeconds);
        }
        return lastPosition;
    }
    gint64 ns = 0;
    if (gst_element_query_position(pipeline, GST_FORMAT_TIME, &ns) && ns >= 0)
        lastPosition = std::clamp(static_cast<double>(ns) / GST_SECOND, 0.0, durationSeconds);
    return lastPosition;
}

bool GstSoundEngine::Seek(double seconds, double newRate)
{
    const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    const auto ns = static_cast<gint64>(std::llround(seconds * GST_SECOND));
    if (!gst_element_seek(pipeline, newRate, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET, ns,
                          GST_SEEK_TYPE_NONE, GST_CLOCK_TIME_NONE))
        return false;
    rate = newRate;
    atEnd = false;
    lastPosition = seconds;
    return true;
}

// Starts the current file over at a position: what a seek does once the stream has taken the
// next file, which a seek within the pipeline would lose. The next file is queued again.
bool GstSoundEngine::RestartAt(double seconds)
{
    const double keptRate = rate;
    {
        const std::lock_guard lock(shared->mutex);
        if (shared->handedOver && shared->nextUri.empty() && !nextPath.isEmpty())
            shared->nextUri = UriOf(nextPath).toStdString();
    }
    if (!Build(currentPath))
        return false;
    ReadDuration();
    if (!Seek(seconds, keptRate))
        return false;
    if (wanted == Wanted::Playing)
        gst_element_set_state(pipeline, GST_STATE_PLAYING);
    return true;
}

bool GstSoundEngine::SetCurrentPosition(double seconds)
{
    if (!loaded || !std::isfinite(seconds))
        return false;
    seconds = std::clamp(seconds, 0.0, durationSeconds);
    if (recovering) {
        lastPosition = seconds;
        return true;
    }
    // Freshly prerolled at the start: seeking there again would only throw the preroll away.
    if (untouched && seconds == 0.0)
        return true;
    untouched = false;
    if (JoinPending() || shared->joinSeen || switchDue)
        return RestartAt(seconds);
    return Seek(seconds, rate);
}

bool GstSoundEngine::SetRate(double newRate)
{
    if (!loaded || !std::isfinite(newRate) || newRate <= 0.0)
        return false;
    if (newRate == rate)
        return true;
    if (recovering)
        return false;
    const double at = CurrentPosition().value_or(0.0);
    if (JoinPending() || shared->joinSeen) {
        rate = newRate;
        return RestartAt(at);
    }
    return Seek(at, newRate);
}

bool GstSoundEngine::SetReplayGain(ReplayGainMode mode)
{
    const std::lock_guard lock(shared->mutex);
    shared->gainMode = mode;
    shared->ApplyGain();
    return true;
}

std::optional<double> GstSoundEngine::ReplayGainApplied() const
{
    const std::lock_guard lock(shared->mutex);
    if (shared->gainMode == ReplayGainMode::Off)
        return std::nullopt;
    return shared->gainDb;
}

bool GstSoundEngine::SetVolume(double fraction)
{
    volume = std::clamp(fraction, 0.0, 1.0);
    if (pipeline != nullptr)
        g_object_set(pipeline, "volume", volume, nullptr);
    return true;
}

bool GstSoundEngine::SetMuted(bool on)
{
    muted = on;
    if (pipeline != nullptr)
        g_object_set(pipeline, "mute", muted ? TRUE : FALSE, nullptr);
    return true;
}

// The output failed: keep the position, take the pipeline down and look for the output again.
void GstSoundEngine::BeginRecovery()
{
    if (recovering)
        return;
    lastPosition = CurrentPosition().value_or(lastPosition);
    recovering = true;
    recoveryStartMs = SteadyMilliseconds();
    {
        // A file handed over but not yet heard is queued again for the new pipeline.
        const std::lock_guard lock(shared->mutex);
        if (shared->handedOver && shared->nextUri.empty() && !nextPath.isEmpty())
            shared->nextUri = UriOf(nextPath).toStdString();
    }
    Retire();
    UpdateTick();
}

void GstSoundEngine::TryRecover()
{
    if (!pausedBySelf && wanted == Wanted::Playing &&
        SteadyMilliseconds() - recoveryStartMs >= options.pauseAfterMs) {
        wanted = Wanted::Paused;
        pausedBySelf = true;
        if (selfPausedHandler)
            selfPausedHandler();
    }
    if (!AudioOutputAvailable())
        return;
    const double at = lastPosition;
    recovering = false;
    if (!Build(currentPath) || !outputReal) {
        // Gone again while the stream came up: keep waiting.
        recovering = true;
        Retire();
        return;
    }
    if (at > 0)
        Seek(at, rate);
    if (wanted == Wanted::Playing)
        gst_element_set_state(pipeline, GST_STATE_PLAYING);
}
