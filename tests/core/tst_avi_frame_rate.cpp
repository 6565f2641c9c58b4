#include "base/byte_source.h"
#include "core/avi_frame_rate.h"
#include "support/riff_bytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray StreamList(quint32 scale, quint32 rate)
{
    const QByteArray streamHeader = "vids" + QByteArray("DIB ") + QByteArray(12, '\0') +
                                    Le32(scale) + Le32(rate) + QByteArray(28, '\0');
    return RiffChunk("LIST", "strl" + RiffChunk("strh", streamHeader) +
                                 RiffChunk("strf", QByteArray(40, 0)));
}

// The head of an AVI file whose header list holds the given chunks.
QByteArray AviWith(const QByteArray &headerChunks)
{
    return RiffChunk("RIFF",
                     "AVI " + RiffChunk("LIST", "hdrl" + headerChunks) + RiffChunk("LIST", "movi"));
}

// An AVI file with the 56-byte main header first, so that the first stream's scale lands at
// byte 128 and its rate at byte 132.
QByteArray Avi(quint32 scale, quint32 rate)
{
    return AviWith(RiffChunk("avih", QByteArray(56, '\0')) + StreamList(scale, rate));
}

} // namespace

// Tests the frame rate read from the first stream header of an AVI file.
class TestAviFrameRate : public QObject
{
    Q_OBJECT

private slots:
    void FrameRate_data();
    void FrameRate();
    void ShortFiles_data();
    void ShortFiles();
    void OtherLayouts_data();
    void OtherLayouts();
    void FromPath();
};

void TestAviFrameRate::FrameRate_data()
{
    QTest::addColumn<quint32>("scale");
    QTest::addColumn<quint32>("rate");
    QTest::addColumn<float>("expected");
    QTest::newRow("25 fps") << 1U << 25U << 25.0F;
    QTest::newRow("NTSC") << 1001U << 30000U << float(30000.0 / 1001.0);
    QTest::newRow("rate in microseconds") << 1000000U << 15000000U << 15.0F;
    QTest::newRow("scale 0") << 0U << 30U << 0.0F;
    QTest::newRow("rate 0") << 1U << 0U << 0.0F;
    QTest::newRow("values above 2^31 stay unsigned") << 0x80000000U << 0xFFFFFFFFU << 2.0F;
}

void TestAviFrameRate::FrameRate()
{
    QFETCH(quint32, scale);
    QFETCH(quint32, rate);
    QFETCH(float, expected);
    const QByteArray file = Avi(scale, rate);
    QCOMPARE(file.mid(128, 4), Le32(scale));
    QCOMPARE(ReadAviFrameRate(ByteSource(file)), expected);
}

void TestAviFrameRate::ShortFiles_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<float>("expected");
    QTest::newRow("empty") << 0 << 0.0F;
    QTest::newRow("ends inside the rate") << 135 << 0.0F;
    QTest::newRow("ends after the rate") << 136 << 24.0F;
}

void TestAviFrameRate::ShortFiles()
{
    QFETCH(int, size);
    QFETCH(float, expected);
    QCOMPARE(ReadAviFrameRate(ByteSource(Avi(1, 24).left(size))), expected);
}

void TestAviFrameRate::OtherLayouts_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<float>("expected");
    const QByteArray mainHeader = RiffChunk("avih", QByteArray(56, '\0'));
    QTest::newRow("padding before the stream list")
        << AviWith(mainHeader + RiffChunk("JUNK", QByteArray(13, 0)) + QByteArray(1, 0) +
                   StreamList(1, 50))
        << 50.0F;
    QTest::newRow("longer main header")
        << AviWith(RiffChunk("avih", QByteArray(64, '\0')) + StreamList(2, 25)) << 12.5F;
    QTest::newRow("no stream list")
        << AviWith(mainHeader + RiffChunk("JUNK", QByteArray(200, 1))) << 0.0F;
    QTest::newRow("stream list without header")
        << AviWith(mainHeader + RiffChunk("LIST", "strl" + RiffChunk("strf", QByteArray(80, 1))))
        << 0.0F;
    QTest::newRow("not an AVI file") << QByteArray(300, '\x11') << 0.0F;
    QTest::newRow("cut inside the moved header")
        << AviWith(RiffChunk("avih", QByteArray(64, '\0')) + StreamList(2, 25)).left(142) << 0.0F;
}

void TestAviFrameRate::OtherLayouts()
{
    QFETCH(QByteArray, file);
    QFETCH(float, expected);
    QCOMPARE(ReadAviFrameRate(ByteSource(file)), expected);
}

void TestAviFrameRate::FromPath()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("clip.avi"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Avi(1, 30) + QByteArray(1 << 20, '\0'));
    file.close();
    QCOMPARE(ReadAviFrameRate(path), 30.0F);
    QCOMPARE(ReadAviFrameRate(dir.filePath(QStringLiteral("missing.avi"))), 0.0F);
    QCOMPARE(ReadAviFrameRate(dir.path()), 0.0F);
}

QTEST_GUILESS_MAIN(TestAviFrameRate)
#include "tst_avi_frame_rate.moc"
