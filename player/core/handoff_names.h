#pragma once

#include <QStringList>

// The file names carried by a hand-off text.
QStringList HandoffNames(const QString &text);
