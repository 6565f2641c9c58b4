// What Qt and the window system alone cost for an analyzer's frame rate: a window with a box the
// size of the large analyzer picture, a 10 ms timer, and on each tick a repaint of a band of the
// box that draws nothing, or that copies a picture into the window as the player's picture box
// does. bench/cpu_share.sh --floor measures it beside the player.
//
//   repaint_floor timer|repaint|copy [WIDTH HEIGHT ROWS]
#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>

namespace {

// A box that repaints by copying rows of its picture, or by doing nothing at all.
class Box : public QWidget
{
public:
    Box(QWidget *parent, bool copy) : QWidget(parent), copy_(copy)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void resizeEvent(QResizeEvent *) override
    {
        picture_ = QImage(size(), QImage::Format_RGB32);
        picture_.fill(Qt::darkGray);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (!copy_)
            return;
        QPainter painter(this);
        for (const QRect &part : event->region())
            painter.drawImage(part.topLeft(), picture_, part);
    }

private:
    bool copy_;
    QImage picture_;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const char *kind = argc > 1 ? argv[1] : "repaint";
    const bool repaint = std::strcmp(kind, "timer") != 0;
    const int width = argc > 4 ? std::atoi(argv[2]) : 640;
    const int height = argc > 4 ? std::atoi(argv[3]) : 320;
    const int rows = argc > 4 ? std::atoi(argv[4]) : 110;
    if (width <= 0 || height <= 0 || rows <= 0 || rows > height) {
        std::fprintf(stderr, "usage: repaint_floor timer|repaint|copy [WIDTH HEIGHT ROWS]\n");
        return 2;
    }
    QWidget window;
    window.resize(width, height + 120);
    Box box(&window, std::strcmp(kind, "copy") == 0);
    box.setGeometry(0, 40, width, height);
    window.show();
    QTimer timer;
    int frame = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        // A band that moves a little from frame to frame, as a trace does.
        if (repaint)
            box.update(QRect(0, (frame++ % 4) * 8, width, rows));
    });
    timer.start(10);
    return app.exec();
}
