#pragma once

#include "analyzer/buffer_source.h"
#include "analyzer/stream_header.h"

#include <QString>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

// How a sound file is analysed: its stream description, where its samples come from, and
// whether it is analysable at all (Rejected: not analysed, silently; Unsupported: a PCM
// WAVE file that no path decodes, reported as "このWAVEファイルはサポートされていません。").
struct AnalysisStream
{
    WaveHeaderResult result = WaveHeaderResult::Rejected;
    ::StreamInfo info;
    SampleSource source = SampleSource::Wave;
};

// Runs the WAVE reader, then the MPEG audio reader, then the general decoder: files the first
// two accept keep their description and samples; everything else that decodes (other
// containers and codecs, WAVE files with other chunks, formats or widths) is described by
// its container and decoded to 16 bits.
AnalysisStream ReadAnalysisStream(const QString &path);

// The description of a file the general decoder can decode (it must yield samples), with
// the sample kind of its decoded samples: 16-bit mono for one channel, else 16-bit stereo.
std::optional<::StreamInfo> ReadDecodedStreamInfo(const QString &path);

// Decides how a file is analysed without holding up the caller: the header readers run at
// once, the general decoder's check (opening a container may take long) on a thread of its
// own. Only the answer for the newest file is ever handed out.
class AnalysisProbe
{
public:
    AnalysisProbe() = default;
    ~AnalysisProbe();
    AnalysisProbe(const AnalysisProbe &) = delete;
    AnalysisProbe &operator=(const AnalysisProbe &) = delete;

    // The answer when the headers decide it; else nothing, and the check starts on the worker.
    std::optional<AnalysisStream> Start(const QString &path);
    // The worker's answer for the newest Start, once; never waits.
    std::optional<AnalysisStream> Take();
    // True while the newest Start's answer has not been taken.
    bool Pending();
    // Forgets the file: an answer still to come is dropped.
    void Cancel();

private:
    void Run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::uint64_t generation_ = 0;
    std::optional<QString> job_;
    std::optional<AnalysisStream> result_;
    std::uint64_t resultGeneration_ = 0;
    bool pending_ = false;
    bool stop_ = false;
    std::thread thread_;
};
