#include "core/qt_media_engine_factory.h"

MediaEngineFactory MakeQtMediaEngineFactory()
{
    return {};
}
