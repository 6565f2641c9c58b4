#include "core/qt_media_engine_factory.h"

#include "core/qt_media_engine.h"

MediaEngineFactory MakeQtMediaEngineFactory()
{
    return [] { return std::make_unique<QtMediaEngine>(); };
}
