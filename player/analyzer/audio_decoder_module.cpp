#include "analyzer/audio_decoder_module.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <utility>

AudioDecoderModule::AudioDecoderModule(QString path) : path_(std::move(path)) {}

QString AudioDecoderModule::DefaultPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/libaudiodecoder.so");
}

std::unique_ptr<AudioDecoder> AudioDecoderModule::Make()
{
    std::lock_guard lock(mutex_);
    if (!factory_) {
        const QString path = path_.isEmpty() ? DefaultPath() : path_;
        const QFileInfo file(path);
        if (!file.isFile() || file.size() == 0)
            return nullptr;
        library_.setFileName(path);
        factory_ = reinterpret_cast<Factory>(library_.resolve("NewAudioDecoder"));
        if (!factory_) {
            library_.unload();
            return nullptr;
        }
    }
    return std::unique_ptr<AudioDecoder>(factory_());
}

std::unique_ptr<AudioDecoder> MakeAudioDecoder()
{
    static AudioDecoderModule module;
    return module.Make();
}
