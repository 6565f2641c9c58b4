#pragma once

#include <cstdint>

// Milliseconds of a steady clock that never goes back; never 0 while the system runs.
int64_t SteadyMilliseconds();
