#include "analyzer/stereo_field.h"

#include "support/sample_windows.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>
#include <set>

// The stereo field's goniometer, correlation and balance from signals of known shape.
class TestStereoField : public QObject
{
    Q_OBJECT

private slots:
    void showsTheShapeOfTheSignal_data();
    void showsTheShapeOfTheSignal();
};

namespace {

enum class Shape {
    Vertical,   // mono: only mid
    Diagonal,   // one channel: up-left to down-right for the left channel
    Horizontal, // opposite phase: only side
    Blob        // unrelated channels: a filled cloud
};

} // namespace

Q_DECLARE_METATYPE(Shape)

void TestStereoField::showsTheShapeOfTheSignal_data()
{
    // The right channel as a multiple of the left one, or unrelated noise (NaN).
    QTest::addColumn<double>("rightOfLeft");
    QTest::addColumn<bool>("leftSilent");
    QTest::addColumn<Shape>("shape");
    QTest::addColumn<double>("correlation");
    QTest::addColumn<double>("balance");
    QTest::newRow("mono") << 1.0 << false << Shape::Vertical << 1.0 << 0.0;
    QTest::newRow("left only") << 0.0 << false << Shape::Diagonal << 0.0 << -1.0;
    QTest::newRow("opposite phase") << -1.0 << false << Shape::Horizontal << -1.0 << 0.0;
    QTest::newRow("unrelated noise") << std::nan("") << false << Shape::Blob << 0.0 << 0.0;
    QTest::newRow("right only") << 1.0 << true << Shape::Diagonal << 0.0 << 1.0;
}

// One frame of 4410 frames drawn at 400 × 240: the lit points of the goniometer lie on the
// expected line (or fill a cloud), and the measures read the expected values.
void TestStereoField::showsTheShapeOfTheSignal()
{
    QFETCH(double, rightOfLeft);
    QFETCH(bool, leftSilent);
    QFETCH(Shape, shape);
    QFETCH(double, correlation);
    QFETCH(double, balance);
    WindowSamples samples(1);
    uint32_t noise = 7;
    const auto random = [&] {
        noise = noise * 1664525u + 1013904223u;
        return (static_cast<int>(noise >> 16) & 0xFFFF) - 32768;
    };
    for (int i = 0; i < 4410; ++i) {
        const int left = std::isnan(rightOfLeft)
                             ? random() / 2
                             : static_cast<int>(20000 * std::sin(2 * M_PI * 437.0 * i / 44100));
        const int right = std::isnan(rightOfLeft)
                              ? random() / 2
                              : static_cast<int>(std::lround(left * rightOfLeft));
        samples.Append(leftSilent ? 0 : left, right);
    }
    const SampleWindow window = samples.View();

    const StereoMeasure measure = MeasureStereo(window);
    QVERIFY(!measure.silent);
    QVERIFY2(std::fabs(measure.correlation - correlation) < 0.05,
             qPrintable(QString::number(measure.correlation)));
    QVERIFY2(std::fabs(measure.balance - balance) < 0.05,
             qPrintable(QString::number(measure.balance)));

    QImage image(400, 240, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    FrameInput input;
    StereoFieldState state;
    QVERIFY(DrawStereoFieldFrame(painter, window, input, state));
    painter.end();

    // The lit points, relative to the square's centre (y up).
    const QRect scope = StereoFieldScope(400, 240);
    const int cx = scope.left() + (scope.width() - 1) / 2;
    const int cy = scope.top() + (scope.height() - 1) / 2;
    std::set<int> xs, ys;
    int lit = 0, off = 0;
    for (int y = scope.top(); y <= scope.bottom(); ++y) {
        for (int x = scope.left(); x <= scope.right(); ++x) {
            if (qGreen(image.pixel(x, y)) < 100)
                continue;
            ++lit;
            const int dx = x - cx, dy = cy - y;
            xs.insert(dx);
            ys.insert(dy);
            const bool onLine = shape == Shape::Vertical     ? std::abs(dx) <= 1
                                : shape == Shape::Horizontal ? std::abs(dy) <= 1
                                : shape == Shape::Diagonal
                                    ? std::abs(leftSilent ? dx - dy : dx + dy) <= 2
                                    : true;
            off += onLine ? 0 : 1;
        }
    }
    QVERIFY2(lit > 50, qPrintable(QString::number(lit)));
    QCOMPARE(off, 0);
    // A line spans much of the square; a cloud fills it in both directions.
    const int span = scope.width() / 4;
    switch (shape) {
    case Shape::Vertical:
        QVERIFY(int(ys.size()) > span);
        break;
    case Shape::Horizontal:
        QVERIFY(int(xs.size()) > span);
        break;
    case Shape::Diagonal:
        QVERIFY(int(xs.size()) > span / 2 && int(ys.size()) > span / 2);
        break;
    case Shape::Blob:
        QVERIFY(int(xs.size()) > span && int(ys.size()) > span);
        QVERIFY2(lit > scope.width() * scope.height() / 40, qPrintable(QString::number(lit)));
        break;
    }
}

QTEST_MAIN(TestStereoField)
#include "tst_stereo_field.moc"
