#include "window/mpris_root.h"

#include "core/mpris_values.h"
#include "window/lumo.h"

#include <QAction>
#include <QTimer>

MprisRoot::MprisRoot(QObject *object, Lumo *window) : QDBusAbstractAdaptor(object), window_(window)
{
}

QStringList MprisRoot::SupportedMimeTypes() const
{
    return Mpris::PlayableMimeTypes();
}

void MprisRoot::Raise()
{
    QTimer::singleShot(0, window_, [w = window_] {
        if (w->isMinimized())
            w->showNormal();
        w->raise();
        w->activateWindow();
    });
}

void MprisRoot::Quit()
{
    QTimer::singleShot(0, window_, [w = window_] { w->MenuExit->trigger(); });
}
