#pragma once

// Maps the Windows font names the windows ask for onto fonts installed here: "MS P Gothic"
// and "MS Gothic" to Noto Sans CJK JP, "Times New Roman" to Liberation Serif.
void InstallFontSubstitutions();
