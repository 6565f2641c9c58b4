#pragma once

#include <QStringList>

class QWidget;

// The filters of the open dialog as the user reads them: media, movies, sounds, pictures,
// all, and the other formats the engine plays (FLAC, Ogg, Opus, AAC, MP4, Matroska, AIFF...).
QStringList OpenDialogFilters();
// The file patterns of one filter: the ";"-separated list in its parentheses; "*.*" and a
// filter without patterns match every file.
QStringList FilterPatterns(const QString &filter);
// Asks for one or more files to open; empty when the user cancels.
QStringList ShowOpenDialog(QWidget *parent);
