#include "window/picture_box.h"

#include "display/layout_geometry.h"

#include <QMouseEvent>
#include <QPaintEngine>
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

// Copies the parts of `canvas` (opaque, 32 bits a pixel) straight into the image the painter
// draws on when that is a plain 32-bit image under a whole-pixel offset; false when it is not,
// or when a part falls outside it. The painter's own blit would hand large parts to worker
// threads and wait for them, which costs more than the copy on every frame of an analyzer.
bool CopyStraight(QPainter &painter, const QImage &canvas, const QRegion &parts)
{
    QPaintEngine *engine = painter.paintEngine();
    QPaintDevice *device = engine ? engine->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image || canvas.depth() != 32)
        return false;
    auto *target = static_cast<QImage *>(device);
    const QImage::Format format = target->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)
        return false;
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxTranslate || transform.dx() != int(transform.dx()) ||
        transform.dy() != int(transform.dy()) || target->devicePixelRatio() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.opacity() != 1.0)
        return false;
    const QPoint offset(int(transform.dx()), int(transform.dy()));
    for (const QRect &part : parts)
        if (!target->rect().contains(part.translated(offset)) || !canvas.rect().contains(part))
            return false;
    // The painter has begun on the image, so its bits are not shared: no copy on access.
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
    QPainter painter(this);
    if (!canvas_.isNull()) {
        // Only the part to repaint, rectangle by rectangle: a straight copy of those rows.
        if (!CopyStraight(painter, canvas_, event->region()))
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
