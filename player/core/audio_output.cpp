#include "core/audio_output.h"

#include <cstring>

namespace {

// Names the streams of a sound server's sink as they are created inside the automatic sink.
void NameClient(GstChildProxy *, GObject *child, gchar *, gpointer)
{
    if (g_object_class_find_property(G_OBJECT_GET_CLASS(child), "client-name") != nullptr)
        g_object_set(child, "client-name", AudioClientName, nullptr);
}

// The automatic sink settles on a real device when it reaches READY; when none opens it falls
// back to a discarding sink of its own, which is no output for us.
bool OpensRealDevice(GstElement *automatic)
{
    if (gst_element_set_state(automatic, GST_STATE_READY) == GST_STATE_CHANGE_FAILURE)
        return false;
    bool real = false;
    GstIterator *children = gst_bin_iterate_elements(GST_BIN(automatic));
    GValue item = G_VALUE_INIT;
    while (gst_iterator_next(children, &item) == GST_ITERATOR_OK) {
        auto *element = GST_ELEMENT(g_value_get_object(&item));
        GstElementFactory *factory = gst_element_get_factory(element);
        const gchar *name = factory != nullptr ? GST_OBJECT_NAME(factory) : "";
        if (std::strcmp(name, "fakesink") != 0)
            real = true;
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(children);
    return real;
}

GstElement *MakeAutomaticSink()
{
    GstElement *automatic = gst_element_factory_make("autoaudiosink", nullptr);
    if (automatic != nullptr)
        g_signal_connect(automatic, "child-added", G_CALLBACK(NameClient), nullptr);
    return automatic;
}

} // namespace

AudioOutput MakeAudioOutput()
{
    gst_init(nullptr, nullptr);
    if (GstElement *automatic = MakeAutomaticSink()) {
        gst_object_ref_sink(automatic);
        if (OpensRealDevice(automatic)) {
            // Back to NULL: the pipeline brings it up again with the stream's format.
            gst_element_set_state(automatic, GST_STATE_NULL);
            return {automatic, true};
        }
        gst_element_set_state(automatic, GST_STATE_NULL);
        gst_object_unref(automatic);
    }
    GstElement *null = gst_element_factory_make("fakesink", "lumo-null-output");
    gst_object_ref_sink(null);
    g_object_set(null, "sync", TRUE, nullptr);
    return {null, false};
}

bool AudioOutputAvailable()
{
    gst_init(nullptr, nullptr);
    GstElement *automatic = MakeAutomaticSink();
    if (automatic == nullptr)
        return false;
    gst_object_ref_sink(automatic);
    const bool real = OpensRealDevice(automatic);
    gst_element_set_state(automatic, GST_STATE_NULL);
    gst_object_unref(automatic);
    return real;
}
