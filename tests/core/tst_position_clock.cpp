// Positions worked out between real reads of a playing stream.
#include "core/position_clock.h"

#include <QTest>

namespace {

// One step of a script: a real read of positionMs, an estimate asked for, or a drop, at atMs.
struct Step
{
    enum Kind { Read, Ask, Drop } kind;
    qint64 atMs;
    qint64 positionMs = 0;
};

Step ReadAt(qint64 atMs, qint64 positionMs)
{
    return {Step::Read, atMs, positionMs};
}

Step AskAt(qint64 atMs)
{
    return {Step::Ask, atMs};
}

Step DropAt(qint64 atMs)
{
    return {Step::Drop, atMs};
}

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class TestPositionClock : public QObject
{
    Q_OBJECT

private slots:
    // Each row plays a script on a 30 s stream (or a shorter one) and checks the answer of its
    // last step: the reported position, or -1 when a real read is due.
    void answers_data()
    {
        QTest::addColumn<QList<Step>>("steps");
        QTest::addColumn<double>("rate");
        QTest::addColumn<qint64>("durationMs");
        QTest::addColumn<qint64>("expected");
        const QList<Step> moving{ReadAt(5000, 1000), ReadAt(5010, 1010)};
        QTest::newRow("extrapolates between reads")
            << (moving + QList{AskAt(5070)}) << 1.0 << qint64(30000) << qint64(1070);
        QTest::newRow("refreshes after the interval")
            << (moving + QList{AskAt(5010 + PositionClock::RefreshMs)}) << 1.0 << qint64(30000)
            << qint64(-1);
        QTest::newRow("first read is not extrapolated")
            << QList{ReadAt(5000, 1000), AskAt(5010)} << 1.0 << qint64(30000) << qint64(-1);
        QTest::newRow("held position is not extrapolated")
            << QList{ReadAt(5000, 1000), ReadAt(5010, 1000), AskAt(5020)} << 1.0 << qint64(30000)
            << qint64(-1);
        QTest::newRow("nothing after a drop")
            << (moving + QList{DropAt(5015), AskAt(5020)}) << 1.0 << qint64(30000) << qint64(-1);
        QTest::newRow("read after a drop is taken as it is")
            << (moving + QList{AskAt(5090), DropAt(5095), ReadAt(5100, 1060)}) << 1.0
            << qint64(30000) << qint64(1060);
        QTest::newRow("rate 2.0") << (moving + QList{AskAt(5060)}) << 2.0 << qint64(30000)
                                  << qint64(1110);
        QTest::newRow("up to the end margin")
            << (moving + QList{AskAt(5050)}) << 1.0 << qint64(1300) << qint64(1050);
        QTest::newRow("never into the end margin")
            << (moving + QList{AskAt(5051)}) << 1.0 << qint64(1300) << qint64(-1);
        QTest::newRow("small step back keeps the position")
            << (moving + QList{AskAt(5100), ReadAt(5110, 1070)}) << 1.0 << qint64(30000)
            << qint64(1100);
        QTest::newRow("held position then moves on")
            << (moving + QList{AskAt(5100), ReadAt(5110, 1070), AskAt(5150)}) << 1.0
            << qint64(30000) << qint64(1110);
        QTest::newRow("large step back is taken")
            << (moving + QList{AskAt(5100), ReadAt(5110, 1000)}) << 1.0 << qint64(30000)
            << qint64(1000);
    }

    void answers()
    {
        QFETCH(QList<Step>, steps);
        QFETCH(double, rate);
        QFETCH(qint64, durationMs);
        QFETCH(qint64, expected);
        PositionClock clock;
        qint64 answer = -1;
        for (const Step &step : steps) {
            switch (step.kind) {
            case Step::Read:
                answer = clock.Take(step.positionMs, step.atMs, rate);
                break;
            case Step::Ask:
                answer = clock.Estimate(step.atMs, durationMs).value_or(-1);
                break;
            case Step::Drop:
                clock.Drop();
                break;
            }
        }
        QCOMPARE(answer, expected);
    }
};

QTEST_GUILESS_MAIN(TestPositionClock)
#include "tst_position_clock.moc"
