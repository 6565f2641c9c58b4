// The one twips-to-pixel conversion: each rounding rule where the rules part ways.
#include "base/twips.h"

#include <QTest>

#include <climits>
#include <cmath>

class TestTwips : public QObject
{
    Q_OBJECT

private slots:
    void roundingRules_data();
    void roundingRules();
};

void TestTwips::roundingRules_data()
{
    QTest::addColumn<double>("twips");
    QTest::addColumn<int>("down");
    QTest::addColumn<int>("nearest");
    QTest::newRow("zero") << 0.0 << 0 << 0;
    QTest::newRow("just below a pixel") << 14.0 << 0 << 1;
    QTest::newRow("one pixel") << 15.0 << 1 << 1;
    QTest::newRow("half a pixel goes to even 0") << 7.5 << 0 << 0;
    QTest::newRow("one and a half go to even 2") << 22.5 << 1 << 2;
    QTest::newRow("below zero rounds down") << -1.0 << -1 << 0;
    QTest::newRow("minus half a pixel") << -7.5 << -1 << 0;
    QTest::newRow("minus one and a bit") << -16.0 << -2 << -1;
    QTest::newRow("far right is held") << 1.0e12 << 1000000 << INT_MAX;
    QTest::newRow("far left is held") << -1.0e12 << -1000000 << INT_MIN;
}

void TestTwips::roundingRules()
{
    QFETCH(double, twips);
    QFETCH(int, down);
    QFETCH(int, nearest);
    QCOMPARE(TwipsToPixelDown(twips), down);
    if (std::fabs(twips) < 1.0e9 && twips == std::floor(twips))
        QCOMPARE(TwipsToPixelDown(static_cast<int>(twips)), down);
    QCOMPARE(TwipsToPixelNearest(twips), nearest);
}

QTEST_MAIN(TestTwips)
#include "tst_twips.moc"
