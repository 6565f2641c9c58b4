#pragma once

#include <functional>

// Runs the event loop until done() holds or timeoutMs have passed, asking every pollMs; true
// when done. For operations that wait on the media framework while the window stays alive.
bool WaitWithEvents(const std::function<bool()> &done, int timeoutMs, int pollMs = 5);
