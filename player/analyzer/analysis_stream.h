#pragma once

#include "analyzer/buffer_source.h"
#include "analyzer/stream_header.h"

#include <QString>

#include <optional>

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
