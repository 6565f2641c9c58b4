#pragma once

#include "core/media_engine.h"

// Makes engines over the platform's media framework.
MediaEngineFactory MakeQtMediaEngineFactory();
