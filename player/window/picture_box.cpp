#include "window/picture_box.h"

#include "display/layout_geometry.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

#include <cstring>

PictureBox::PictureBox(QWidget *parent, QColor background)
    : QWidget(parent), background_(background)
{
    setAttribute(Qt::WA_OpaquePaintEvent, background_.alpha() == 255);
}

void PictureBox::SetPicture(const QImage &picture)
{
    picture_ = picture;
    update();
}

namespace {

// The device pixels that cover `rect` (logical pixels) at `ratio`.
QRect DeviceRect(const QRect &rect, qreal ratio)
{
    if (ratio == 1.0)
        return rect;
    return QRectF(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio, rect.height() * ratio)
        .toAlignedRect();
}

} // namespace

QImage &PictureBox::Canvas()
{
    // Held at the device pixel ratio of the screen the box is on, so that whatever is drawn
    // on it is as sharp as the screen; a move to a screen of another ratio makes it anew.
    const qreal ratio = devicePixelRatioF();
    const QSize device(qCeil(width() * ratio), qCeil(height() * ratio));
    if (canvas_.size() != device || canvas_.devicePixelRatio() != ratio) {
        QImage grown(device.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        grown.setDevicePixelRatio(ratio);
        grown.fill(background_);
        if (!canvas_.isNull()) {
            QPainter painter(&grown);
            painter.drawImage(0, 0, canvas_);
        }
        canvas_ = grown;
    }
    return canvas_;
}

void PictureBox::ClearCanvas()
{
    Canvas().fill(background_);
    update();
}

void PictureBox::SetBackground(QColor colour)
{
    background_ = colour;
    setAttribute(Qt::WA_OpaquePaintEvent, background_.alpha() == 255);
    update();
}

namespace {

// Copies the parts of `canvas` (opaque, 32 bits a pixel) straight into `target`, the widget's
// (0, 0) at `offset` (logical pixels) in it; false when the target is not a plain 32-bit image
// of the canvas's device pixel ratio, or when a part falls outside it. The painter's own blit
// would hand large parts to worker threads and wait for them, which costs more than the copy
// on every frame of an analyzer.
bool CopyStraight(QPaintDevice *device, QPoint offset, const QImage &canvas,
                  const QRegion &logicalParts)
{
    if (!device || device->devType() != QInternal::Image || canvas.depth() != 32)
        return false;
    auto *target = static_cast<QImage *>(device);
    const QImage::Format format = target->format();
    const qreal ratio = canvas.devicePixelRatio();
    if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) ||
        target->devicePixelRatio() != ratio)
        return false;
    QRegion parts;
    for (const QRect &part : logicalParts)
        parts += DeviceRect(part, ratio) & canvas.rect();
    const QPointF deviceOffset = QPointF(offset) * ratio;
    if (deviceOffset != QPointF(deviceOffset.toPoint()))
        return false; // the box does not start on a device pixel
    offset = deviceOffset.toPoint();
    for (const QRect &part : parts)
        if (!target->rect().contains(part.translated(offset)) || !canvas.rect().contains(part))
            return false;
    // The image is the window's own or a painter's: its bits are not shared, no copy on access.
    uchar *bits = const_cast<uchar *>(target->constBits());
    const qsizetype stride = target->bytesPerLine();
    for (const QRect &part : parts) {
        const auto bytes = static_cast<std::size_t>(part.width()) * 4;
        for (int y = part.top(); y <= part.bottom(); ++y)
            std::memcpy(bits + (y + offset.y()) * stride + (part.left() + offset.x()) * 4,
                        canvas.constScanLine(y) + part.left() * 4, bytes);
    }
    return true;
}

} // namespace

void PictureBox::paintEvent(QPaintEvent *event)
{
    // During an ordinary repaint the widget is redirected into the window's own image with no
    // painter active on it: the canvas goes there without setting a painter up.
    QPoint redirection;
    QPaintDevice *device = redirected(&redirection);
    if (!canvas_.isNull() && picture_.isNull() && device && !sharedPainter() &&
        CopyStraight(device, -redirection, canvas_, event->region()))
        return;
    QPainter painter(this);
    if (!canvas_.isNull()) {
        // Only the part to repaint, rectangle by rectangle.
        const qreal ratio = canvas_.devicePixelRatio();
        for (const QRect &part : event->region())
            painter.drawImage(QRectF(part), canvas_, QRectF(DeviceRect(part, ratio)));
    } else if (background_.alpha() > 0) {
        painter.fillRect(rect(), background_);
    }
    if (!picture_.isNull())
        painter.drawImage(0, 0, picture_);
}

bool PictureBox::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::ScreenChangeInternal && !canvas_.isNull() &&
        canvas_.devicePixelRatio() != devicePixelRatioF()) {
        Canvas();
        update();
        emit DevicePixelRatioChanged();
    }
    return handled;
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    if (!canvas_.isNull())
        Canvas();
    QWidget::resizeEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint() * TwipsPerPixel;
    emit MouseDown(event->button(), at.x(), at.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint() * TwipsPerPixel;
    emit MouseMove(event->buttons(), at.x(), at.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint() * TwipsPerPixel;
    emit MouseUp(event->button(), at.x(), at.y());
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
}
