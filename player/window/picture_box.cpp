#include "window/picture_box.h"

#include "display/layout_geometry.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

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

QImage &PictureBox::Canvas()
{
    if (canvas_.size() != size()) {
        QImage grown(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
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
// (0, 0) at `offset` in it; false when the target is not a plain 32-bit image of one pixel per
// device pixel, or when a part falls outside it. The painter's own blit would hand large parts
// to worker threads and wait for them, which costs more than the copy on every frame of an
// analyzer.
bool CopyStraight(QPaintDevice *device, QPoint offset, const QImage &canvas, const QRegion &parts)
{
    if (!device || device->devType() != QInternal::Image || canvas.depth() != 32)
        return false;
    auto *target = static_cast<QImage *>(device);
    const QImage::Format format = target->format();
    if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) ||
        target->devicePixelRatio() != 1.0)
        return false;
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
        for (const QRect &part : event->region())
            painter.drawImage(part.topLeft(), canvas_, part);
    } else if (background_.alpha() > 0) {
        painter.fillRect(rect(), background_);
    }
    if (!picture_.isNull())
        painter.drawImage(0, 0, picture_);
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
