#include "core/video_message_drain.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWheelEvent>

bool VideoMessageDrain::eventFilter(QObject *watched, QEvent *event)
{
    if (target == nullptr || watched == target) {
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        QCoreApplication::sendEvent(target, event);
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPointF global = mouse->globalPosition();
        const QPointF local = target->mapFromGlobal(global);
        QMouseEvent copy(mouse->type(), local, local, global, mouse->button(), mouse->buttons(),
                         mouse->modifiers());
        QCoreApplication::sendEvent(target, &copy);
        return true;
    }
    case QEvent::Wheel: {
        auto *wheel = static_cast<QWheelEvent *>(event);
        const QPointF global = wheel->globalPosition();
        QWheelEvent copy(target->mapFromGlobal(global), global, wheel->pixelDelta(),
                         wheel->angleDelta(), wheel->buttons(), wheel->modifiers(), wheel->phase(),
                         wheel->inverted());
        QCoreApplication::sendEvent(target, &copy);
        return true;
    }
    default:
        return false;
    }
}
