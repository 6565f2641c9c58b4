#include "core/handoff_frame.h"

#include <QTest>
#include <QtEndian>

// The hand-off message format, judged byte by byte as a receiver sees it.
class TestHandoffFrame : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void namesRoundTrip_data();
    void namesRoundTrip();
    void completesOnlyWithTheLastByte();
    void rejects_data();
    void rejects();
    void stopsTakingBytesOnceJudged();
    void fitsNamesWithinBound();
};

namespace {

QByteArray Header(quint32 length, const QByteArray &magic = "LUMO")
{
    char bytes[4];
    qToBigEndian(length, bytes);
    return magic + QByteArray(bytes, 4);
}

} // namespace

void TestHandoffFrame::roundTrip_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString();
    QTest::newRow("names") << "/m/a.mp3\n/m/b c.wav";
    QTest::newRow("japanese") << QString::fromUtf8("/音楽/曲 1.mp3");
    QTest::newRow("largest") << QString(MaxHandoffBytes, u'x');
}

void TestHandoffFrame::namesRoundTrip_data()
{
    QTest::addColumn<QList<QByteArray>>("names");

    QTest::newRow("none") << QList<QByteArray>();
    QTest::newRow("line feed and blanks") << QList<QByteArray>{"/m/a\nb.mp3", "/m/ c .wav"};
    QTest::newRow("not utf-8") << QList<QByteArray>{"/m/\x93\xfa\x96\x7b.mp3", "/m/caf\xe9"};
    // As many names of the longest path the system takes as the play list holds.
    QTest::newRow("10000 longest paths")
        << QList<QByteArray>(10000, QByteArray("/") + QByteArray(4094, 'n'));
}

void TestHandoffFrame::namesRoundTrip()
{
    QFETCH(QList<QByteArray>, names);
    QCOMPARE(FitHandoffNames(names), names);
    HandoffFrameReader reader;
    QCOMPARE(reader.Feed(EncodeHandoffNames(names)), HandoffFrameReader::State::Complete);
    QVERIFY(reader.HasNames());
    QCOMPARE(reader.Names(), names);
}

void TestHandoffFrame::roundTrip()
{
    QFETCH(QString, text);
    HandoffFrameReader reader;
    QCOMPARE(reader.Feed(EncodeHandoffFrame(text)), HandoffFrameReader::State::Complete);
    QCOMPARE(reader.Text(), text);
}

void TestHandoffFrame::completesOnlyWithTheLastByte()
{
    const QByteArray frame = EncodeHandoffFrame(QStringLiteral("/m/a.mp3"));
    HandoffFrameReader reader;
    for (qsizetype i = 0; i + 1 < frame.size(); ++i)
        QCOMPARE(reader.Feed(frame.mid(i, 1)), HandoffFrameReader::State::Incomplete);
    QCOMPARE(reader.Feed(frame.right(1)), HandoffFrameReader::State::Complete);
    QCOMPARE(reader.Text(), QStringLiteral("/m/a.mp3"));
}

void TestHandoffFrame::rejects_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("wrong first byte") << QByteArray("X");
    QTest::newRow("text instead of a message") << QByteArray("C:\\a.mp3");
    QTest::newRow("wrong magic, right length") << Header(1, "LUMA") + "a";
    QTest::newRow("names without their last NUL") << Header(3, "LUMN") + QByteArray("a\0b", 3);
    QTest::newRow("one byte above the limit") << Header(quint32(MaxHandoffBytes) + 1);
    QTest::newRow("huge length") << Header(0xffffffffu);
    QTest::newRow("bytes after the message") << Header(1) + "ab";
    QTest::newRow("not utf-8") << Header(2) + "\xff\xfe";
    QTest::newRow("cut utf-8 sequence") << Header(2) + "a\xe3";
}

void TestHandoffFrame::rejects()
{
    QFETCH(QByteArray, bytes);
    HandoffFrameReader reader;
    QCOMPARE(reader.Feed(bytes), HandoffFrameReader::State::Invalid);
}

void TestHandoffFrame::stopsTakingBytesOnceJudged()
{
    HandoffFrameReader complete;
    complete.Feed(EncodeHandoffFrame(QStringLiteral("a")));
    QCOMPARE(complete.Feed("more"), HandoffFrameReader::State::Invalid);

    HandoffFrameReader invalid;
    invalid.Feed("junk");
    QCOMPARE(invalid.Feed(EncodeHandoffFrame(QStringLiteral("a"))),
             HandoffFrameReader::State::Invalid);
}

void TestHandoffFrame::fitsNamesWithinBound()
{
    const QByteArray name = QByteArray("/") + QByteArray(4094, 'n');
    const QList<QByteArray> names(10001, name);
    const QList<QByteArray> fitted = FitHandoffNames(names);
    QCOMPARE(fitted.size(), 10000);
    QVERIFY(EncodeHandoffNames(fitted).size() - 8 <= MaxHandoffBytes);

    QCOMPARE(FitHandoffNames({"", "/a", QByteArray("/b\0c", 4), "/d"}),
             (QList<QByteArray>{"/a", "/d"}));
}

QTEST_GUILESS_MAIN(TestHandoffFrame)
#include "tst_handoff_frame.moc"
