// The window geometry: picture area, list toggle, zoom cycling and fit to screen.
#include "display/layout_geometry.h"

#include <QTest>

namespace {

std::optional<int> Last(const std::vector<Placement> &placements, Control control,
                        std::optional<int> Placement::*field)
{
    std::optional<int> value;
    for (const Placement &p : placements)
        if (p.control == control && (p.*field))
            value = p.*field;
    return value;
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void pictureArea_data()
    {
        QTest::addColumn<int>("p");
        QTest::addColumn<int>("q");
        QTest::addColumn<bool>("audioOnly");
        QTest::addColumn<bool>("listHidden");
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QRect>("video");

        QTest::newRow("160x120 movie") << 160 << 120 << false << false << QSize(320, 240)
                                       << QSize(7200, 4800) << QRect(80, 60, 160, 120);
        QTest::newRow("176x144 movie") << 176 << 144 << false << false << QSize(320, 240)
                                       << QSize(7200, 4800) << QRect(72, 48, 176, 144);
        QTest::newRow("640x480 list shown") << 640 << 480 << false << false << QSize(640, 480)
                                            << QSize(13200, 8400) << QRect(0, 0, 640, 480);
        QTest::newRow("640x480 list hidden") << 640 << 480 << false << true << QSize(640, 480)
                                             << QSize(9600, 8400) << QRect(0, 0, 640, 480);
        QTest::newRow("sound keeps its size") << 200 << 100 << true << true << QSize(200, 100)
                                              << QSize(3000, 2700) << QRect(0, 0, 200, 100);
        QTest::newRow("analyzer 400x240") << 400 << 240 << true << false << QSize(400, 240)
                                          << QSize(8700, 4800) << QRect(0, 0, 400, 240);
        // A 4K picture lays out completely: no 16-bit overflow.
        QTest::newRow("4K movie") << 3840 << 2160 << false << false << QSize(3840, 2160)
                                  << QSize(73200, 33600) << QRect(0, 0, 3840, 2160);
    }

    void pictureArea()
    {
        QFETCH(int, p);
        QFETCH(int, q);
        QFETCH(bool, audioOnly);
        QFETCH(bool, listHidden);
        QFETCH(QSize, area);
        QFETCH(QSize, client);
        QFETCH(QRect, video);

        const PictureAreaGeometry g = ComputePictureArea(p, q, audioOnly, listHidden, 3015);
        QCOMPARE(QSize(g.p, g.q), area);
        QCOMPARE(QSize(g.clientWidth, g.clientHeight), client);
        QCOMPARE(g.video, video);
        QCOMPARE(Last(g.placements, Control::Pic, &Placement::width), area.width() * 15);
        QCOMPARE(Last(g.placements, Control::Pic, &Placement::height), area.height() * 15);
        // Every control of the right-hand column is placed from the right edge.
        QCOMPARE(Last(g.placements, Control::PicRsl, &Placement::left), client.width() - 300);
        QCOMPARE(Last(g.placements, Control::PicInfo, &Placement::left), client.width() - 1140);
        QCOMPARE(Last(g.placements, Control::PicSize, &Placement::top), area.height() * 15 + 900);
        QCOMPARE(Last(g.placements, Control::Hist, &Placement::left),
                 Last(g.placements, Control::Text, &Placement::width));
    }

    void infoButtonNeedsRoom_data()
    {
        QTest::addColumn<int>("p");
        QTest::addColumn<bool>("listHidden");
        QTest::addColumn<bool>("visible");
        QTest::newRow("399 hidden list") << 399 << true << false;
        QTest::newRow("400 hidden list") << 400 << true << true;
        QTest::newRow("399 shown list") << 399 << false << true;
    }

    void infoButtonNeedsRoom()
    {
        QFETCH(int, p);
        QFETCH(bool, listHidden);
        QFETCH(bool, visible);
        QCOMPARE(ComputePictureArea(p, 240, false, listHidden, 3015).picInfoVisible, visible);
    }

    void positionBarFollowsHiddenList()
    {
        const PictureAreaGeometry hidden = ComputePictureArea(640, 480, false, true, 3015);
        QCOMPARE(Last(hidden.placements, Control::PicPosBack, &Placement::width), 9600 - 1260);
        // The list label is placed from the bar's width before the layout changes it.
        QCOMPARE(Last(hidden.placements, Control::LabelFile, &Placement::left), 3015 + 840 + 120);
        const PictureAreaGeometry shown = ComputePictureArea(640, 480, false, false, 3015);
        QVERIFY(!Last(shown.placements, Control::PicPosBack, &Placement::width));
        QCOMPARE(Last(shown.placements, Control::LabelFile, &Placement::top), 7200 + 60);
    }

    void stillPictureIsCentred()
    {
        const PictureAreaGeometry g = ComputePictureArea(100, 80, false, false, 3015);
        QCOMPARE(g.stillPicture, QRect((4800 - 1500) / 2, (3600 - 1200) / 2, 1500, 1200));
    }

    void listToggle_data()
    {
        QTest::addColumn<int>("pw");
        QTest::addColumn<bool>("hiddenBefore");
        QTest::addColumn<int>("clientWidth");
        QTest::addColumn<bool>("infoVisible");
        QTest::addColumn<int>("posBackWidth");
        QTest::newRow("show at 320") << 4800 << true << 7200 << true << 3015;
        QTest::newRow("hide at 320") << 4800 << false << 4800 << false << 3540;
        QTest::newRow("hide at 5399") << 5399 << false << 5399 << false << 4139;
        QTest::newRow("hide at 5400") << 5400 << false << 5400 << true << 4140;
        QTest::newRow("show at 640 resets bar") << 9600 << true << 13200 << true << 3015;
    }

    void listToggle()
    {
        QFETCH(int, pw);
        QFETCH(bool, hiddenBefore);
        QFETCH(int, clientWidth);
        QFETCH(bool, infoVisible);
        QFETCH(int, posBackWidth);
        const ListToggleGeometry g = ComputeListToggle(pw, 3600, hiddenBefore);
        QCOMPARE(g.clientWidth, clientWidth);
        QCOMPARE(g.clientHeight, 4800);
        QCOMPARE(g.picInfoVisible, infoVisible);
        QCOMPARE(g.listHiddenAfter, !hiddenBefore);
        QCOMPARE(g.sizeImageIndex, hiddenBefore ? 0 : 1);
        QCOMPARE(Last(g.placements, Control::PicPosBack, &Placement::width), posBackWidth);
        QCOMPARE(g.labelFileVisible, hiddenBefore);
    }

    void zoomCycle_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<double>("next");
        QTest::newRow("720x576 does not double") << 1.0 << 720 << 576 << 0.5;
        QTest::newRow("half goes to one") << 0.5 << 720 << 576 << 1.0;
        QTest::newRow("320x240 doubles") << 1.0 << 320 << 240 << 2.0;
        QTest::newRow("two goes to half") << 2.0 << 320 << 240 << 0.5;
        QTest::newRow("other stays") << 1.5 << 320 << 240 << 1.5;
    }

    void zoomCycle()
    {
        QFETCH(double, zoom);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(double, next);
        QCOMPARE(NextZoomFactor(zoom, width, height, 1024 * 15, 768 * 15), next);
    }

    void fitToScreen()
    {
        // 1280 x 1024 screen, a 320 x 240 area in a 320 x 320 window, 40-pixel task bar.
        const QSize area =
            FitToScreenArea(QSize(1280 * 15, 1024 * 15), QSize(4800, 4800), QSize(4800, 3600), 40);
        QCOMPARE(area, QSize(1280, 1024 - 80 - 40));
    }
};

QTEST_GUILESS_MAIN(TestLayout)
#include "tst_layout.moc"
