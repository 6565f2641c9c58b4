#include "core/media_probe.h"

#include <QFileInfo>
#include <QUrl>

#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

namespace {

bool IsMidiExtension(const QString &path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    return ext == QLatin1String("mid") || ext == QLatin1String("midi") ||
           ext == QLatin1String("kar") || ext == QLatin1String("rmi");
}

bool CapsNameStarts(GstCaps *caps, const char *prefix)
{
    if (caps == nullptr || gst_caps_get_size(caps) == 0)
        return false;
    const gchar *name = gst_structure_get_name(gst_caps_get_structure(caps, 0));
    return name != nullptr && g_str_has_prefix(name, prefix);
}

} // namespace

MediaProbe ProbeMediaFile(const QString &path, int timeoutMs)
{
    MediaProbe probe;
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return probe;
    probe.midi = IsMidiExtension(path);
    gst_init(nullptr, nullptr);

    GError *error = nullptr;
    GstDiscoverer *discoverer =
        gst_discoverer_new(static_cast<GstClockTime>(timeoutMs) * GST_MSECOND, &error);
    if (discoverer == nullptr) {
        g_clear_error(&error);
        return probe;
    }
    const QByteArray uri = QUrl::fromLocalFile(file.absoluteFilePath()).toEncoded();
    GstDiscovererInfo *info = gst_discoverer_discover_uri(discoverer, uri.constData(), &error);
    g_clear_error(&error);
    if (info != nullptr && gst_discoverer_info_get_result(info) == GST_DISCOVERER_OK) {
        GList *audio = gst_discoverer_info_get_audio_streams(info);
        GList *video = gst_discoverer_info_get_video_streams(info);
        bool moving = false;
        for (GList *v = video; v != nullptr; v = v->next) {
            auto *stream = GST_DISCOVERER_VIDEO_INFO(v->data);
            if (!gst_discoverer_video_info_is_image(stream))
                moving = true;
        }
        for (GList *a = audio; a != nullptr && !probe.midi; a = a->next) {
            GstCaps *caps =
                gst_discoverer_stream_info_get_caps(GST_DISCOVERER_STREAM_INFO(a->data));
            probe.midi =
                CapsNameStarts(caps, "audio/midi") || CapsNameStarts(caps, "audio/riff-midi");
            if (caps != nullptr)
                gst_caps_unref(caps);
        }
        probe.playable = audio != nullptr || video != nullptr;
        probe.sound = audio != nullptr && !moving;
        const GstClockTime duration = gst_discoverer_info_get_duration(info);
        if (GST_CLOCK_TIME_IS_VALID(duration) && duration > 0)
            probe.seconds = static_cast<double>(duration) / GST_SECOND;
        gst_discoverer_stream_info_list_free(audio);
        gst_discoverer_stream_info_list_free(video);
    }
    if (info != nullptr)
        g_object_unref(info);
    g_object_unref(discoverer);
    return probe;
}
