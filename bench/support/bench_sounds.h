#pragma once

#include <QString>
#include <QStringList>

// Runs ffmpeg quietly with these arguments; true when it ran and succeeded.
bool RunFfmpeg(const QStringList &args);

// Writes a stereo 16-bit, 44.1 kHz WAVE of pink noise mixed with a 440 Hz tone, the source
// that the benchmarks encode into each format.
bool WriteNoiseAndTone(const QString &path, int seconds);
