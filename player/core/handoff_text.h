#pragma once

#include <QString>
#include <QStringList>

// Builds the hand-off text from a program's arguments (arguments.first() is the program and is
// skipped): each argument made an absolute, clean path against startDir, "file:" URLs turned
// into their local paths, joined by line feeds. Empty arguments and arguments holding a line
// feed (which could not be told apart from two names) are left out.
QString BuildHandoffText(const QStringList &arguments, const QString &startDir);
