#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The names a start hands over, from its raw arguments (arguments.first() is the program and
// is skipped): each made an absolute, clean path against startDir, "file:" URLs turned into
// their local paths; empty arguments are left out. Bytes are kept as the system gave them, so
// any name the file system allows (a line feed or bytes that are not UTF-8 in it) stays whole.
QList<QByteArray> BuildHandoffNames(const QList<QByteArray> &arguments, const QByteArray &startDir);

// The hand-off text of names: each turned into a name the player can open (OpenableName) and
// ended by a NUL character, which no file name holds, so that even one name with a line feed
// is told from lines. Names that cannot be made openable are left out.
QString HandoffTextOf(const QList<QByteArray> &names);
