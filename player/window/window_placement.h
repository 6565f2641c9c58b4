#pragma once

// Whether the windowing system lets a program learn and choose where its windows lie. A
// Wayland compositor places every window itself and reports no position: there the stored
// position is kept as it was and never applied.
bool PlatformPlacesWindows();
