#pragma once

// Makes the media framework decode MPEG audio (MP3, and the MPEG-1 sound of system streams)
// with its mpg123 decoder instead of the FFmpeg plug-in, which would load FFmpeg's filter
// library and everything that hangs off it (speech synthesis, image and GPU libraries) only to
// decode MP3. Takes effect only when called before the media framework starts (before the first
// player, audio output or device list); a rank the user sets in GST_PLUGIN_FEATURE_RANK wins.
void PreferMpg123ForMpegAudio();
