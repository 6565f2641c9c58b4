// Checks the pictures compiled into the player: every image store has its picture, of the
// size its control expects, and the pictures carry what the drawing code relies on.

#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QTest>

#include <cmath>
#include <numbers>

namespace {

const QColor kWindow(239, 255, 255);

QImage Load(const QString &name)
{
    return QImage(name);
}

// Number of distinct colours in the image, up to a limit.
int DistinctColours(const QImage &image, int limit = 64)
{
    QSet<QRgb> seen;
    for (int y = 0; y < image.height() && seen.size() < limit; ++y) {
        for (int x = 0; x < image.width() && seen.size() < limit; ++x) {
            seen.insert(image.pixel(x, y));
        }
    }
    return int(seen.size());
}

int PixelsDiffering(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return count;
}

double Luminance(QRgb c)
{
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

// Mean luminance of the whole picture.
double MeanLuminance(const QImage &image)
{
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            sum += Luminance(image.pixel(x, y));
        }
    }
    return sum / (image.width() * image.height());
}

// Darkest luminance within one pixel of (x, y).
double DarkestAround(const QImage &image, double x, double y)
{
    double darkest = 255;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int px = int(std::floor(x)) + dx, py = int(std::floor(y)) + dy;
            if (image.valid(px, py)) {
                darkest = std::min(darkest, Luminance(image.pixel(px, py)));
            }
        }
    }
    return darkest;
}

} // namespace

// Resource pictures of the player and its panel.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(resources); }

    void loadsWithItsSize_data();
    void loadsWithItsSize();
    void pressedDiffersFromNormal_data();
    void pressedDiffersFromNormal();
    void buttonsSitOnTheWindowBackground_data();
    void buttonsSitOnTheWindowBackground();
    void speedDialShowsEachSpeedDifferently();
    void barGoesFromVioletToPaleCyan();
    void meterMarksLieWhereTheNeedlePoints_data();
    void meterMarksLieWhereTheNeedlePoints();
    void desktopIconsExist_data();
    void desktopIconsExist();
};

void TestResources::loadsWithItsSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    for (int i = 0; i < 2; ++i) {
        const QString n = QString::number(i);
        QTest::newRow(qPrintable("ImagePlay_" + n))
            << ":/images/ImagePlay_" + n + ".png" << 40 << 40;
        QTest::newRow(qPrintable("ImageStop_" + n))
            << ":/images/ImageStop_" + n + ".png" << 30 << 30;
        for (const char *b : {"ImageBack_", "ImageStep_", "ImagePrev_", "ImageNext_"}) {
            QTest::newRow(qPrintable(b + n)) << ":/images/" + QString(b) + n + ".png" << 33 << 20;
        }
        QTest::newRow(qPrintable("ImageSize_" + n))
            << ":/images/ImageSize_" + n + ".png" << 16 << 16;
    }
    for (int i = 0; i < 3; ++i) {
        QTest::newRow(qPrintable(QString("ImageSpeed_%1").arg(i)))
            << QString(":/images/ImageSpeed_%1.png").arg(i) << 44 << 22;
    }
    for (const char *p : {"PicFull", "PicRsl", "PicPM", "PicVsa", "PicInfo", "PicPos"}) {
        QTest::newRow(p) << ":/images/" + QString(p) + ".png" << 16 << 16;
    }
    QTest::newRow("ImageAudio") << ":/images/ImageAudio.png" << 201 << 40;
    // The meter face fills the 400 x 240 area below 1300 twips (87 pixels).
    QTest::newRow("ImageAlmBack") << ":/images/ImageAlmBack.png" << 400 << 240 - 87;
    QTest::newRow("ImageBar") << ":/images/ImageBar.png" << 8 << 200;
    // Ten mode pictures share the strip from y = 600 to 1145 twips across the panel's
    // separators (x = 120 to 5160 twips): 504 x 540 twips each.
    for (int mode = 0; mode < 10; ++mode) {
        for (int store = 1; store <= 2; ++store) {
            const QString name = QString("Image%1_%2").arg(store).arg(mode);
            QTest::newRow(qPrintable(name)) << ":/images/" + name + ".png" << 33 << 36;
        }
    }
    QTest::newRow("ImageLogo") << ":/images/ImageLogo.png" << 360 << 66;
    QTest::newRow("lumo") << ":/images/lumo.png" << 32 << 32;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QTest::newRow(qPrintable(QString("icon %1").arg(size)))
            << QString(":/icons/lumo_%1.png").arg(size) << size << size;
    }
}

void TestResources::loadsWithItsSize()
{
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, height);

    const QImage image = Load(name);
    QVERIFY2(!image.isNull(), qPrintable(name + " does not load"));
    QCOMPARE(image.width(), width);
    QCOMPARE(image.height(), height);
    // A picture, not an empty plate.
    QVERIFY2(DistinctColours(image) >= 3, qPrintable(name + " is (nearly) one colour"));
}

void TestResources::pressedDiffersFromNormal_data()
{
    QTest::addColumn<QString>("normal");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<bool>("darker");
    for (const char *b :
         {"ImagePlay", "ImageStop", "ImageBack", "ImageStep", "ImagePrev", "ImageNext"}) {
        QTest::newRow(b) << ":/images/" + QString(b) + "_0.png"
                         << ":/images/" + QString(b) + "_1.png" << true;
    }
    // The panel's normal (Image2) and highlighted (Image1) mode pictures.
    for (int mode = 0; mode < 9; ++mode) {
        QTest::newRow(qPrintable(QString("mode %1").arg(mode)))
            << QString(":/images/Image2_%1.png").arg(mode)
            << QString(":/images/Image1_%1.png").arg(mode) << false;
    }
}

void TestResources::pressedDiffersFromNormal()
{
    QFETCH(QString, normal);
    QFETCH(QString, pressed);
    QFETCH(bool, darker);

    const QImage up = Load(normal);
    const QImage down = Load(pressed);
    QVERIFY(!up.isNull() && !down.isNull());
    QCOMPARE(down.size(), up.size());
    // Clearly different, not a stray pixel.
    QVERIFY(PixelsDiffering(up, down) > up.width() * up.height() / 5);
    if (darker) {
        // A pressed button reads darker (sunk in); a highlighted mode picture brighter.
        QVERIFY(MeanLuminance(down) < MeanLuminance(up) - 3);
    } else {
        QVERIFY(MeanLuminance(down) > MeanLuminance(up) + 3);
    }
}

void TestResources::buttonsSitOnTheWindowBackground_data()
{
    QTest::addColumn<QString>("name");
    for (const char *b : {"ImagePlay_0", "ImagePlay_1", "ImageStop_0", "ImageStop_1", "ImageBack_0",
                          "ImageNext_1", "ImageSpeed_1", "PicPos"}) {
        QTest::newRow(b) << ":/images/" + QString(b) + ".png";
    }
}

void TestResources::buttonsSitOnTheWindowBackground()
{
    QFETCH(QString, name);
    const QImage image = Load(name);
    QVERIFY(!image.isNull());
    // Round buttons leave the window colour in their top corners, opaque.
    QCOMPARE(QColor(image.pixel(0, 0)), kWindow);
    QCOMPARE(QColor(image.pixel(image.width() - 1, 0)), kWindow);
    QCOMPARE(qAlpha(image.pixel(0, 0)), 255);
}

void TestResources::speedDialShowsEachSpeedDifferently()
{
    const QImage half = Load(":/images/ImageSpeed_0.png");
    const QImage normal = Load(":/images/ImageSpeed_1.png");
    const QImage twice = Load(":/images/ImageSpeed_2.png");
    QVERIFY(!half.isNull() && !normal.isNull() && !twice.isNull());

    // Each speed marks its own press zone (the zone's twips / 15): the marked zone is
    // darker in its own picture than in the others.
    struct Zone
    {
        int x0, x1, y0, y1;
    };
    const Zone zones[3] = {{1, 10, 12, 21}, {17, 27, 3, 13}, {33, 43, 12, 21}};
    const QImage *pictures[3] = {&half, &normal, &twice};
    auto zoneLuminance = [](const QImage &image, const Zone &z) {
        double sum = 0;
        for (int y = z.y0; y < z.y1; ++y) {
            for (int x = z.x0; x < z.x1; ++x) {
                sum += Luminance(image.pixel(x, y));
            }
        }
        return sum / ((z.x1 - z.x0) * (z.y1 - z.y0));
    };
    for (int shown = 0; shown < 3; ++shown) {
        for (int other = 0; other < 3; ++other) {
            if (other != shown) {
                QVERIFY2(zoneLuminance(*pictures[shown], zones[shown]) <
                             zoneLuminance(*pictures[other], zones[shown]) - 20,
                         qPrintable(QString("zone %1 not marked").arg(shown)));
            }
        }
    }
}

void TestResources::barGoesFromVioletToPaleCyan()
{
    const QImage bar = Load(":/images/ImageBar.png");
    QVERIFY(!bar.isNull());
    const QColor top(bar.pixel(4, 0));
    const QColor foot(bar.pixel(4, 199));
    // Violet: strong blue, red well above green.
    QVERIFY(top.blue() > 180);
    QVERIFY(top.red() > top.green() + 60);
    QVERIFY(top.blue() > top.red());
    // Pale cyan: green and blue near full, red lower but light.
    QVERIFY(foot.green() > 220 && foot.blue() > 220);
    QVERIFY(foot.red() < foot.green());
    QVERIFY(foot.red() > 150);
    // Smooth: neighbouring rows differ only a little, and the picture gets steadily lighter.
    for (int y = 1; y < 200; ++y) {
        const QColor a(bar.pixel(4, y - 1)), b(bar.pixel(4, y));
        QVERIFY2(std::abs(a.red() - b.red()) <= 6 && std::abs(a.green() - b.green()) <= 6 &&
                     std::abs(a.blue() - b.blue()) <= 6,
                 qPrintable(QString("step at row %1").arg(y)));
        QVERIFY(Luminance(b.rgb()) >= Luminance(a.rgb()) - 1.0);
    }
    QVERIFY(Luminance(foot.rgb()) > Luminance(top.rgb()) + 100);
    // Every row is the same colour family across the bar (shaded, not striped).
    for (int y = 0; y < 200; y += 50) {
        for (int x = 0; x < 8; ++x) {
            const QColor c(bar.pixel(x, y)), mid(bar.pixel(4, y));
            QVERIFY(std::abs(c.hsvHue() - mid.hsvHue()) <= 6);
        }
    }
}

void TestResources::meterMarksLieWhereTheNeedlePoints_data()
{
    QTest::addColumn<double>("dB");
    QTest::addColumn<bool>("marked");
    QTest::newRow("-30 dB") << -30.0 << true;
    QTest::newRow("-20 dB") << -20.0 << true;
    QTest::newRow("-10 dB") << -10.0 << true;
    QTest::newRow("0 dB") << 0.0 << true;
    QTest::newRow("-27.5 dB, between marks") << -27.5 << false;
    QTest::newRow("-12.5 dB, between marks") << -12.5 << false;
}

void TestResources::meterMarksLieWhereTheNeedlePoints()
{
    QFETCH(double, dB);
    QFETCH(bool, marked);

    const QImage face = Load(":/images/ImageAlmBack.png");
    QVERIFY(!face.isNull());
    // The needle of a 16-bit file: f = (level - 2.5) / (lg 32768 - 2.5), angle f * 120 + 30
    // degrees, swinging about (W / 4, 2925) twips and (3 W / 4, 2925) twips with W = 6000;
    // the face is painted at 1300 twips (row 87). A level d dB below full scale is
    // lg 32768 + d / 20 decades.
    const double full = std::log10(32768.0);
    const double f = (full + dB / 20.0 - 2.5) / (full - 2.5);
    const double angle = (f * 120.0 + 30.0) * std::numbers::pi / 180.0;
    const double pivotY = 2925.0 / 15.0 - 87.0 + 0.5;
    for (double pivotX : {1500.0 / 15.0 + 1.0, 4500.0 / 15.0 + 1.0}) {
        // Long marks run outwards beyond the short ones; look between their ends.
        for (double radius : {99.5, 100.5}) {
            const double x = pivotX - radius * std::cos(angle);
            const double y = pivotY - radius * std::sin(angle);
            const double darkest = DarkestAround(face, x, y);
            if (marked) {
                QVERIFY2(darkest < 170, qPrintable(QString("no mark at %1, %2").arg(x).arg(y)));
            } else {
                QVERIFY2(darkest > 200, qPrintable(QString("stray mark at %1, %2").arg(x).arg(y)));
            }
        }
    }
}

void TestResources::desktopIconsExist_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QTest::newRow(qPrintable(QString::number(size))) << size;
    }
}

void TestResources::desktopIconsExist()
{
    QFETCH(int, size);
    const QString path = QString(LUMO_SOURCE_DIR) +
                         QString("/player/resources/icons/hicolor/%1x%1/apps/lumo.png").arg(size);
    const QImage icon(path);
    QVERIFY2(!icon.isNull(), qPrintable(path));
    QCOMPARE(icon.size(), QSize(size, size));
    // Transparent corners around an opaque middle.
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    QVERIFY(QFileInfo::exists(QString(LUMO_SOURCE_DIR) +
                              "/player/resources/icons/hicolor/scalable/apps/lumo.svg"));
}

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
