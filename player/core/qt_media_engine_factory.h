#pragma once

#include "core/media_engine.h"

// Makes engines over the platform's media framework; call it before any of Qt Multimedia
// is used, so that its decoder preference applies.
MediaEngineFactory MakeQtMediaEngineFactory();
