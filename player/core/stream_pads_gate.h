#pragma once

// Holds the media framework's streaming threads back from announcing a stream's pads while
// it lives. Qt's GStreamer player connects its audio and video outputs from whichever thread
// announces a decoded stream, and sets a new source by starting the pipeline and seeking it at
// once; if a streaming thread announced the stream between the two, it waited for the output
// the seek held while the seek waited for that thread, and both waited for good. With the
// gate closed around setting the source, the outputs are connected only after the seek.
// A thread waits at most waitLimitMs, so an unforeseen dependency costs a delay, not a hang;
// the thread that closed the gate is never held.
class StreamPadsGate
{
public:
    StreamPadsGate();
    ~StreamPadsGate();

    StreamPadsGate(const StreamPadsGate &) = delete;
    StreamPadsGate &operator=(const StreamPadsGate &) = delete;

    static constexpr int waitLimitMs = 2000;
};
