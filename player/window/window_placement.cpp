#include "window/window_placement.h"

#include <QGuiApplication>

bool PlatformPlacesWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
