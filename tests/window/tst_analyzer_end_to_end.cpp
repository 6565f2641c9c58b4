// The analyzer from end to end: the real media engine plays a real sound in the window, the
// main timer runs, and after a second the picture area holds a drawn analyzer.
#include "support/window_rig.h"
#include "window/lumo.h"
#include "window/picture_box.h"

#include <QHash>
#include <QTest>
#include <QTimer>

namespace {

const QString DemoDir = QStringLiteral(LUMO_SOURCE_DIR "/player/resources/demo");

// Pixels of the picture area below the audio picture's strip that differ from the most
// common colour there (the display's background), and the number of distinct colours.
QPair<int, int> DrawnPixels(const QImage &canvas)
{
    QHash<QRgb, int> counts;
    for (int y = 45; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            ++counts[canvas.pixel(x, y)];
    int background = 0;
    for (int n : counts)
        background = std::max(background, n);
    int total = 0;
    for (int n : counts)
        total += n;
    return {total - background, int(counts.size())};
}

} // namespace

class TestAnalyzerEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void drawsWhilePlaying_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("mp3");
        QTest::newRow("MP3, oscilloscope") << DemoDir + "/demo.mp3" << 1 << true;
        QTest::newRow("MP3, spectrum A") << DemoDir + "/demo.mp3" << 2 << true;
        QTest::newRow("WAVE, oscilloscope") << DemoDir + "/demo.wav" << 1 << false;
        QTest::newRow("WAVE, spectrum A") << DemoDir + "/demo.wav" << 2 << false;
    }

    void drawsWhilePlaying()
    {
        QFETCH(QString, file);
        QFETCH(int, mode);
        QFETCH(bool, mp3);
        WindowRig rig({.realEngine = true});
        Lumo &w = rig.W();
        w.VSA = std::uint8_t(mode);
        w.AddFiles({file});
        QVERIFY2(rig.messages.isEmpty(), qPrintable(rig.messages.join(QLatin1Char('\n'))));
        QVERIFY(w.MediumOpenFlag);
        QVERIFY(w.AudioOnlyFlag);
        QVERIFY(w.VsaReadyFlag);
        QVERIFY(w.VsaActiveFlag);
        QCOMPARE(w.Mp3Flag, mp3);
        QCOMPARE(w.CT, 1);
        QVERIFY(w.Timer->isActive());
        QCOMPARE(w.Timer->interval(), 40);
        const QPair<int, int> before = DrawnPixels(w.Pic->Canvas());

        QTRY_VERIFY_WITH_TIMEOUT(w.Engine()->CurrentPosition().value_or(0.0) > 1.0, 8000);
        QTest::qWait(200);
        const QImage canvas = w.Pic->Canvas().copy();
        QCOMPARE(canvas.size(), QSize(400, 240));
        const QPair<int, int> drawn = DrawnPixels(canvas);
        // The audio picture alone leaves the area below its strip in one colour.
        QCOMPARE(before.first, 0);
        QVERIFY2(drawn.first > 300 && drawn.second >= 2,
                 qPrintable(QStringLiteral("%1 pixels drawn in %2 colours")
                                .arg(drawn.first)
                                .arg(drawn.second)));
        // The picture keeps changing with the sound.
        QTest::qWait(300);
        QVERIFY(w.Pic->Canvas() != canvas);
        w.PicStop_MouseUp(Qt::LeftButton);
    }
};

QTEST_MAIN(TestAnalyzerEndToEnd)
#include "tst_analyzer_end_to_end.moc"
