// Gapless joins seen from the window: the entry the play mode moves on to is queued in the
// engine, the end of the current file does not reopen anything, and when the joined file is
// heard the window shows it as an open would have, on the same engine.
#include "support/window_rig.h"
#include "window/lumo.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

class TestLumoJoins : public QObject
{
    Q_OBJECT

private slots:
    void playModeJoinsNextEntry_data();
    void playModeJoinsNextEntry();
};

void TestLumoJoins::playModeJoinsNextEntry_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("expected"); // -1: nothing is queued
    QTest::newRow("solo stops") << 0 << 0 << -1;
    QTest::newRow("all") << 1 << 0 << 1;
    QTest::newRow("all stops after the last") << 1 << 1 << -1;
    QTest::newRow("random takes the other") << 2 << 0 << 1;
    QTest::newRow("solo repeat") << 3 << 1 << 1;
    QTest::newRow("all repeat wraps") << 4 << 1 << 0;
}

void TestLumoJoins::playModeJoinsNextEntry()
{
    QFETCH(int, mode);
    QFETCH(int, start);
    QFETCH(int, expected);
    WindowRig rig;
    rig.engines.SetJoining(true);
    Lumo &w = *rig.window;
    const QStringList files{rig.Sound(QStringLiteral("first.wav"), 20.0),
                            rig.Sound(QStringLiteral("second.wav"), 12.0)};
    w.AddFiles(files);
    w.SetPlayMode(mode);
    if (start != w.PlayIndex) {
        w.PlayIndex = static_cast<std::int16_t>(start);
        QVERIFY(w.OpenCurrent());
    }
    FakeMediaEngine *engine = rig.Engine();
    const int made = rig.engines.Created();
    rig.TickAt(5.0);
    if (expected < 0) {
        QVERIFY(engine->queued.isEmpty());
        return;
    }
    QCOMPARE(engine->queued, files[expected]);

    engine->HandOver();
    const QString history = w.Hist->toPlainText();
    rig.TickAt(engine->medium.duration);
    // The current file runs into the joined one: no end, no new engine.
    QCOMPARE(w.CT, 1);
    QCOMPARE(rig.engines.Created(), made);

    engine->Join();
    QCOMPARE(rig.Engine(), engine);
    QCOMPARE(w.PlayIndex, expected);
    QCOMPARE(w.CT, 1);
    QCOMPARE(w.MovieLength, expected == 0 ? 20.0 : 12.0);
    const QString title = expected == 0 ? QStringLiteral("first") : QStringLiteral("second");
    QCOMPARE(w.MovieTitle, title);
    QVERIFY(w.windowTitle().startsWith(title));
    // Solo repeat plays the same file again, which today adds no history entry either.
    QCOMPARE(w.Hist->toPlainText() != history, mode != 3);
    rig.TickAt(1.0);
    QVERIFY(w.Timer->isActive());
}

QTEST_MAIN(TestLumoJoins)
#include "tst_lumo_joins.moc"
