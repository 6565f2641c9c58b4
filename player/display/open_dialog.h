#pragma once

#include <QStringList>

class QWidget;

// The filters of the open dialog as the user reads them: media, movies, sounds, pictures,
// all, the other formats the engine plays (FLAC, Ogg, Opus, AAC, MP4, Matroska, AIFF...) and
// play list files.
QStringList OpenDialogFilters();
// The file patterns of one filter: the ";"-separated list in its parentheses; "*.*" and a
// filter without patterns match every file.
QStringList FilterPatterns(const QString &filter);
// Asks for one or more files to open; empty when the user cancels.
QStringList ShowOpenDialog(QWidget *parent);
// Asks where to save the play list (an M3U8 file); empty when the user cancels.
QString ShowSaveListDialog(QWidget *parent);
