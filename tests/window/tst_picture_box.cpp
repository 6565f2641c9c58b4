// What a picture box shows: its canvas, copied into the window where the box lies, for the part
// being repainted, whichever way the repaint reaches it.
#include "window/picture_box.h"

#include <QPainter>
#include <QScreen>
#include <QTest>

class TestPictureBox : public QObject
{
    Q_OBJECT

private slots:
    void showsItsCanvas_data();
    void showsItsCanvas();
};

namespace {

// A pattern that differs from pixel to pixel and from one fill to the next.
void Fill(QImage &canvas, const QRect &part, int seed)
{
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            canvas.setPixel(x, y, qRgb((x * 7 + seed) & 255, (y * 5 + seed) & 255, (x ^ y) & 255));
}

} // namespace

void TestPictureBox::showsItsCanvas_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRect>("part");
    QTest::newRow("at the corner, a part") << QPoint(0, 0) << QRect(10, 5, 30, 20);
    QTest::newRow("inside the window, a part") << QPoint(37, 21) << QRect(45, 30, 50, 7);
    QTest::newRow("inside the window, all") << QPoint(37, 21) << QRect(0, 0, 120, 90);
}

void TestPictureBox::showsItsCanvas()
{
    QFETCH(QPoint, at);
    QFETCH(QRect, part);
    QWidget window;
    window.resize(240, 180);
    window.setStyleSheet(QStringLiteral("background: white"));
    PictureBox box(&window, Qt::black);
    box.setGeometry(QRect(at, QSize(120, 90)));
    Fill(box.Canvas(), box.Canvas().rect(), 0);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Fill(box.Canvas(), part, 99);
    box.repaint(part);

    // The window's own image, as the window system was given it, and the box drawn through a
    // painter of the caller's.
    const QImage shown = window.screen()->grabWindow(window.winId()).toImage();
    QCOMPARE(shown.copy(QRect(at, box.size())).convertToFormat(QImage::Format_RGB32), box.Canvas());
    QCOMPARE(box.grab().toImage().convertToFormat(QImage::Format_RGB32), box.Canvas());
}

QTEST_MAIN(TestPictureBox)
#include "tst_picture_box.moc"
