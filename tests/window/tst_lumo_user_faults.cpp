// What a user met trying the player: dragging the position knob while a file plays, reading
// names in the title and file labels, and an analyzer choice while the fft module is missing.
#include "core/settings_file.h"
#include "support/window_rig.h"
#include "window/lumo.h"

#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

// How many rows of a white image hold ink.
int InkRows(const QImage &image)
{
    int rows = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                ++rows;
                break;
            }
    return rows;
}

} // namespace

class TestLumoUserFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void knobFollowsTheMouseWhilePlaying_data()
    {
        QTest::addColumn<bool>("paused");
        QTest::newRow("playing") << false;
        QTest::newRow("paused") << true;
    }

    // A drag of 150 pixels in steps, with timer ticks between them, ends where the mouse
    // let go of the knob, and the release seeks there.
    void knobFollowsTheMouseWhilePlaying()
    {
        QFETCH(bool, paused);
        WindowRig rig;
        Lumo &w = rig.W();
        w.AddFiles({rig.Sound(QStringLiteral("a.mp3"), 100.0)});
        if (paused)
            w.PicPlay_MouseUp(Qt::LeftButton);
        QCOMPARE(w.CT, paused ? 2 : 1);
        rig.TickAt(10.0);
        const int start = w.TwipsGeometry(Control::PicPos).left();
        const int grab = 120;
        const int mouse = start + grab; // in the window, where the button went down
        w.PicPos_MouseDown(Qt::LeftButton, grab);
        for (int step = 1; step <= 10; ++step) {
            rig.TickAt(paused ? 10.0 : 10.0 + 0.04 * step);
            // The mouse reports its place inside the knob, wherever the knob is now.
            const int inKnob = mouse + 225 * step - w.TwipsGeometry(Control::PicPos).left();
            w.PicPos_MouseMove(Qt::LeftButton, inKnob);
        }
        rig.TickAt(paused ? 10.0 : 10.5);
        QCOMPARE(w.TwipsGeometry(Control::PicPos).left(), start + 2250);
        w.PicPos_MouseUp(Qt::LeftButton);
        const int length = w.TwipsGeometry(Control::PicPosBack).width() - 60;
        const double expected = 10.0 + 2250.0 / length * 100.0;
        QVERIFY2(qAbs(rig.Engine()->position - expected) < 1.5,
                 qPrintable(QString::number(rig.Engine()->position)));
        QCOMPARE(w.CT, 1);
        // Released, the knob follows the position again.
        rig.TickAt(50.0);
        QVERIFY(qAbs(w.TwipsGeometry(Control::PicPos).left() - (750 + length / 2)) <= 1);
    }

    void labelsShowWholeText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fileLabel");
        for (const bool file : {false, true}) {
            const char *label = file ? "file label" : "title";
            QTest::addRow("%s: tone_2s.mp3", label) << QStringLiteral("tone_2s.mp3") << file;
            QTest::addRow("%s: t.mp3", label) << QStringLiteral("t.mp3") << file;
            QTest::addRow("%s: Japanese", label) << QStringLiteral("日本語のタイトル") << file;
        }
    }

    // The label shows as many rows of ink as the text has when set in the label's font
    // without any bound (or, where that is taller than the label, fills its height): nothing
    // is cut off at the bottom or the top.
    void labelsShowWholeText()
    {
        QFETCH(QString, text);
        QFETCH(bool, fileLabel);
        WindowRig rig;
        QLabel *label = fileLabel ? rig.W().LabelFile : rig.W().LabelTitle[1];
        label->setText(text);
        // Wide enough for the whole text; the height stays as laid out.
        label->resize(QFontMetrics(label->font()).horizontalAdvance(text) + 8, label->height());
        QImage shown(label->size(), QImage::Format_RGB32);
        shown.fill(Qt::white);
        label->render(&shown);

        QImage free(label->width(), 4 * label->height(), QImage::Format_RGB32);
        free.fill(Qt::white);
        {
            QPainter painter(&free);
            painter.setFont(label->font());
            painter.setPen(label->palette().color(QPalette::WindowText));
            painter.drawText(0, 2 * label->height(), text);
        }
        QCOMPARE(InkRows(shown), std::min(InkRows(free), label->height()));
    }

    void fftChoiceKeptWhileModuleMissing_data()
    {
        QTest::addColumn<int>("chosen"); // -1: nothing chosen while the module is missing
        QTest::addColumn<int>("written");
        QTest::newRow("nothing chosen") << -1 << 3;
        QTest::newRow("oscilloscope chosen") << 1 << 1;
        QTest::newRow("none chosen") << 0 << 0;
    }

    // A stored spectrum mode shows as "None" while the fft module is missing and is written
    // back unless the user chose another mode meanwhile.
    void fftChoiceKeptWhileModuleMissing()
    {
        QFETCH(int, chosen);
        QFETCH(int, written);
        QTemporaryDir dir;
        LumoSettings stored;
        stored.VSA = 3;
        stored.ListShown = true;
        stored.Centred = false;
        const QString ini = dir.filePath(QStringLiteral("lumo.ini"));
        QVERIFY(WriteSettingsFile(ini, stored));
        Lumo::Environment env;
        env.settingsPath = ini;
        env.fftDirectory = dir.path();
        env.stopMessage = [](const QString &, const QString &) {};
        env.infoMessage = env.stopMessage;
        {
            Lumo w(env);
            QCOMPARE(w.VSA, 0);
            if (chosen >= 0)
                w.MenuVsaModes[size_t(chosen)]->trigger();
            w.close();
        }
        const LumoSettings read = ReadSettingsFile(ini, QSizeF(19200, 14400));
        QCOMPARE(read.VSA, written);
    }
};

QTEST_MAIN(TestLumoUserFaults)
#include "tst_lumo_user_faults.moc"
