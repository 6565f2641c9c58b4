#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The program's arguments as the system passed them, bytes untouched (the first is the
// program). Qt's own list decodes them as UTF-8 and loses any other bytes.
QList<QByteArray> RawArguments(int argc, char **argv);

// The working directory as the system names it, bytes untouched.
QByteArray CurrentDirectoryBytes();

// A name for the file at the absolute path bytes that Qt's file functions open. Bytes that are
// UTF-8 give their decoded text. Any other bytes (an old Shift-JIS archive, say) cannot pass
// through a QString; they give a link, in a folder private to this process and removed when it
// ends, that points at the file and is named after the file's name read as CP932 (or as
// Latin-1 when it is no CP932), so that the list shows a readable name. "" when no link can
// be made.
QString OpenableName(const QByteArray &path);
