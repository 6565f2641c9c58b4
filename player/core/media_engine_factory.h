#pragma once

#include "core/media_engine.h"

// Makes the engine for each opened file: the sound engine for a sound file, the engine over Qt
// Multimedia for anything with a picture, MIDI, and whatever the first look cannot place (it
// then reports the file as it always has). Call it before any of Qt Multimedia is used, so
// that its decoder preference applies.
MediaEngineFactory MakeMediaEngineFactory();
