#include "window/picture_box.h"

#include "display/layout_geometry.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

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

void PictureBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (!canvas_.isNull()) {
        // Only the part to repaint, rectangle by rectangle: a straight copy of those rows.
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
