#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Runs ffmpeg quietly with these arguments; true when it ran and succeeded.
bool RunFfmpeg(const QStringList &args);

// Writes a stereo 16-bit, 44.1 kHz WAVE of pink noise mixed with a 440 Hz tone, the source
// that the benchmarks encode into each format.
bool WriteNoiseAndTone(const QString &path, int seconds);

// Writes that source (source.wav, `seconds` long) into `dir` and encodes it once per output: a
// file name in `dir` and the ffmpeg codec arguments. True when every file was made.
bool EncodeNoiseAndTone(const QTemporaryDir &dir, int seconds,
                        const QList<QPair<QString, QStringList>> &outputs);
