#pragma once

#include <QString>

bool AcceptForAnalysis(const QString &path);
double AviFrameRate(const QString &path);
QString ReadTitleOfMp3(const QString &path);
QString ReadTitleOfMidi(const QString &path);
