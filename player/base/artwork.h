#pragma once

#include <QImage>
#include <QString>

// The picture `name` of the program's artwork (":/images/<name>.png") for a screen of device
// pixel ratio `ratio`: above 1 the one drawn at twice the size, where there is one, marked as
// such (device pixel ratio 2). The picture carries its name as its text "Name".
QImage Artwork(const QString &name, double ratio);
