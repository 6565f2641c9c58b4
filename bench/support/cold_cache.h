#pragma once

// Writes 4 MB, more than a core's own caches hold, so that the next measured step starts as a
// frame does in the running player: with its arrays pushed out by the window system, painting
// and decoding that ran since the last frame. Call it between PauseTiming and ResumeTiming.
void PushOutCoreCaches();
