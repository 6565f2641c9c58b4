#include "core/qt_media_engine_factory.h"

#include "core/media_decoder_preference.h"
#include "core/qt_media_engine.h"

MediaEngineFactory MakeQtMediaEngineFactory()
{
    // Made before the first engine, so the media framework starts with these decoder ranks.
    PreferMpg123ForMpegAudio();
    return [] { return std::make_unique<QtMediaEngine>(); };
}
