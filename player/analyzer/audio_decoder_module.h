#pragma once

#include "analyzer/audio_decoder.h"

#include <QLibrary>
#include <QString>

#include <memory>
#include <mutex>

// Binds `NewAudioDecoder` of the audio decoder module by name at run time. The module is
// loaded when the first decoder is asked for and stays loaded; while it cannot be loaded, each
// request looks for it again and gets no decoder. Safe to use from any thread.
class AudioDecoderModule
{
public:
    using Factory = decltype(&NewAudioDecoder);

    // path: the module file; empty means libaudiodecoder.so in the program's own directory.
    explicit AudioDecoderModule(QString path = QString());

    // A new decoder, or null while the module or its factory cannot be found.
    std::unique_ptr<AudioDecoder> Make();

    // Full path of the module in the program's own directory.
    static QString DefaultPath();

private:
    std::mutex mutex_;
    QString path_;
    QLibrary library_;
    Factory factory_ = nullptr;
};

// A new general decoder from the module beside the program (one AudioDecoderModule for the
// whole process). Null without the module: the file is then not analysed, as one that cannot
// be decoded.
std::unique_ptr<AudioDecoder> MakeAudioDecoder();
