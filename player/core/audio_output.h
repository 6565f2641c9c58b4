#pragma once

#include <gst/gst.h>

// The desktop's sound output for the sound engine, and the null output that stands in for it
// where there is none (no server, no sound card): a sink that discards the samples but keeps
// to the clock, so playback still runs in real time.
struct AudioOutput
{
    GstElement *sink = nullptr; // a reference the caller owns
    bool real = false;          // false: the null output
};

// The name the engine's streams carry on the sound server.
inline constexpr const char *AudioClientName = "Lumo";

// The desktop's own output when one opens, else the null output.
AudioOutput MakeAudioOutput();

// Whether the desktop's output opens now; used while waiting for it to come back.
bool AudioOutputAvailable();
