#include "window/volume_badge.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int Margin = 4;
constexpr int Padding = 4;

} // namespace

VolumeBadge::VolumeBadge(QWidget *pictureArea)
    // A window of its own, kept above the others, so that it also lies over a movie's video
    // window; it never takes the focus or the mouse.
    : QWidget(pictureArea, Qt::ToolTip | Qt::FramelessWindowHint), pictureArea_(pictureArea)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    hideTimer_.setSingleShot(true);
    hideTimer_.setInterval(ShownMs);
    connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);
    hide();
}

void VolumeBadge::ShowText(const QString &text)
{
    text_ = text;
    const QFontMetrics metrics(font());
    resize(metrics.horizontalAdvance(text_) + 2 * Padding, metrics.height() + 2 * Padding);
    move(pictureArea_->mapToGlobal(QPoint(Margin, Margin)));
    show();
    raise();
    update();
    hideTimer_.start();
}

void VolumeBadge::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0));
    painter.setPen(QColor(255, 255, 255));
    painter.drawText(rect(), Qt::AlignCenter, text_);
}
