#include "core/stream_pads_gate.h"

#include <glib-object.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

struct Gate
{
    std::mutex mutex;
    std::condition_variable opened;
    bool closed = false;
    std::thread::id closer;
};

Gate &TheGate()
{
    static Gate gate;
    return gate;
}

// Runs in the announcing thread before any handler of an element's pad-added signal.
gboolean HoldWhileClosed(GSignalInvocationHint *, guint, const GValue *, gpointer)
{
    Gate &gate = TheGate();
    std::unique_lock<std::mutex> lock(gate.mutex);
    if (gate.closed && gate.closer != std::this_thread::get_id()) {
        gate.opened.wait_for(lock, std::chrono::milliseconds(StreamPadsGate::waitLimitMs),
                             [&gate] { return !gate.closed; });
    }
    return TRUE; // stay installed
}

// Installs the hook once the element type exists, that is once the media framework started.
void InstallHook()
{
    static std::once_flag installed;
    const GType element = g_type_from_name("GstElement");
    if (element == 0) {
        return;
    }
    std::call_once(installed, [element] {
        const guint padAdded = g_signal_lookup("pad-added", element);
        if (padAdded != 0) {
            g_signal_add_emission_hook(padAdded, 0, HoldWhileClosed, nullptr, nullptr);
        }
    });
}

} // namespace

StreamPadsGate::StreamPadsGate()
{
    InstallHook();
    Gate &gate = TheGate();
    const std::lock_guard<std::mutex> lock(gate.mutex);
    gate.closed = true;
    gate.closer = std::this_thread::get_id();
}

StreamPadsGate::~StreamPadsGate()
{
    Gate &gate = TheGate();
    {
        const std::lock_guard<std::mutex> lock(gate.mutex);
        gate.closed = false;
    }
    gate.opened.notify_all();
}
