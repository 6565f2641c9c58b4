#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The folder xdg-user-dir names for PICTURES, from its output: the first line, when it is a
// path from the root other than the home folder (which xdg-user-dir answers for a folder that is
// not set); else `home`/Pictures. Output longer than 4096 bytes is not taken.
QString PicturesFolderFrom(const QByteArray &output, const QString &home);

// The user's pictures folder: asks xdg-user-dir (waiting at most two seconds), else
// ~/Pictures.
QString PicturesFolder();

// The file name of a saved analyzer picture: the medium's name without its extension (or
// "Lumo" without a medium) and the local time, e.g. "song 2026-12-09 09-41-07.png"; characters
// that file systems refuse become "_".
QString AnalyzerPictureName(const QString &mediumPath, const QDateTime &time);
