#include "base/byte_source.h"
#include "display/legacy_text.h"
#include "display/tag_readers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

namespace {

const QString kFileName = QStringLiteral("song.mp3");
// "日本語" in CP932 and in UTF-8.
const QByteArray kNihongoCp932("\x93\xFA\x96\x7B\x8C\xEA");
const QByteArray kNihongoUtf8("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E");
const QString kNihongo = QString::fromUtf8(kNihongoUtf8);

QByteArray BigEndian(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[i] = char(value >> (24 - 8 * i));
    }
    return bytes;
}

QByteArray Synchsafe(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[i] = char((value >> (21 - 7 * i)) & 0x7F);
    }
    return bytes;
}

// Some MPEG audio after the tags, so the file is long enough for an ID3 version 1 test.
QByteArray Audio(int size = 200)
{
    QByteArray bytes(size, '\x55');
    bytes[0] = '\xFF';
    bytes[1] = '\xFB';
    return bytes;
}

// An ID3 version 1 tag with the given 30-byte title field (padded with NULs).
QByteArray Id3v1(const QByteArray &title)
{
    QByteArray tag = "TAG" + title.left(30);
    tag.append(QByteArray(128 - tag.size(), '\0'));
    return tag;
}

QByteArray Frame(const QByteArray &id, const QByteArray &content)
{
    return id + BigEndian(quint32(content.size())) + QByteArray(2, '\0') + content;
}

// An ID3 version 2.3 tag holding the frames, with bodySize bytes after the header (padded).
QByteArray Id3v2(const QByteArray &frames, qsizetype bodySize = -1, char version = 3)
{
    if (bodySize < 0) {
        bodySize = frames.size();
    }
    QByteArray body = frames.left(bodySize);
    body.append(QByteArray(bodySize - body.size(), '\0'));
    return QByteArray("ID3") + version + '\0' + '\0' + Synchsafe(quint32(bodySize)) + body;
}

QString Mp3Title(const QByteArray &file)
{
    return ReadMp3Title(ByteSource(file), kFileName);
}

QByteArray MidiHeader()
{
    return QByteArray("MThd") + BigEndian(6) + QByteArray("\x00\x01\x00\x02\x01\xE0", 6);
}

QByteArray Track(const QByteArray &events)
{
    return "MTrk" + BigEndian(quint32(events.size())) + events;
}

QByteArray MetaEvent(char type, const QByteArray &text)
{
    return QByteArray(1, '\0') + '\xFF' + type + char(text.size()) + text;
}

const QByteArray kEndOfTrack("\x00\xFF\x2F\x00", 4);
const QByteArray kNoteOn("\x00\x90\x3C\x40", 4);

QString MidiTitle(const QByteArray &file)
{
    return ReadMidiTitle(ByteSource(file), QStringLiteral("tune.mid"));
}

} // namespace

// Tests the title readers of MP3 and MIDI files, the bit-shift helpers and legacy text.
class TestTagReaders : public QObject
{
    Q_OBJECT

private slots:
    void ShiftExamples_data();
    void ShiftExamples();
    void ShiftsMatchUnsignedShifts();
    void LegacyText_data();
    void LegacyText();
    void Id3v1Title_data();
    void Id3v1Title();
    void Id3v1WinsOverId3v2();
    void Id3v2Text_data();
    void Id3v2Text();
    void Id3v2TagBounds();
    void Id3v2LargeTag();
    void Mp3WithoutTitle_data();
    void Mp3WithoutTitle();
    void Mp3DamagedGivesEmpty_data();
    void Mp3DamagedGivesEmpty();
    void MidiTitle_data();
    void MidiTitle();
    void ReadersFromPaths();
};

void TestTagReaders::ShiftExamples_data()
{
    QTest::addColumn<bool>("left");
    QTest::addColumn<qint32>("value");
    QTest::addColumn<int>("shift");
    QTest::addColumn<qint32>("expected");
    const qint32 signBit = std::numeric_limits<qint32>::min();
    QTest::newRow("SL 1 by 31") << true << 1 << 31 << signBit;
    QTest::newRow("SL 0x40000000 by 1") << true << 0x40000000 << 1 << signBit;
    QTest::newRow("SR -1 by 28") << false << -1 << 28 << 15;
    QTest::newRow("SR sign bit by 31") << false << signBit << 31 << 1;
    QTest::newRow("SL by 0 keeps value") << true << -5 << 0 << -5;
    QTest::newRow("SR by 0 keeps value") << false << -5 << 0 << -5;
    QTest::newRow("SL drops high bits") << true << -1 << 4 << qint32(0xFFFFFFF0);
    QTest::newRow("SL by 32 empties") << true << -1 << 32 << 0;
    QTest::newRow("SR by -1 empties") << false << -1 << -1 << 0;
}

void TestTagReaders::ShiftExamples()
{
    QFETCH(bool, left);
    QFETCH(qint32, value);
    QFETCH(int, shift);
    QFETCH(qint32, expected);
    QCOMPARE(left ? SL(value, shift) : SR(value, shift), expected);
}

void TestTagReaders::ShiftsMatchUnsignedShifts()
{
    const quint32 patterns[] = {0,          1,          2,          0x7F,       0x80,
                                0x12345678, 0x7FFFFFFF, 0x80000000, 0x80000001, 0xDEADBEEF,
                                0xFFFFFFFE, 0xFFFFFFFF, 0x55555555, 0xAAAAAAAA};
    for (const quint32 pattern : patterns) {
        for (int shift = 0; shift < 32; ++shift) {
            const auto value = qint32(pattern);
            QCOMPARE(quint32(SL(value, shift)), pattern << shift);
            QCOMPARE(quint32(SR(value, shift)), pattern >> shift);
        }
    }
}

void TestTagReaders::LegacyText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ascii") << QByteArray("Hello") << QStringLiteral("Hello");
    QTest::newRow("utf-8") << kNihongoUtf8 << kNihongo;
    QTest::newRow("cp932") << kNihongoCp932 << kNihongo;
    QTest::newRow("cp932 half-width kana")
        << QByteArray("\xB1\xB2\xB3") << QString::fromUtf8("\xEF\xBD\xB1\xEF\xBD\xB2\xEF\xBD\xB3");
    QTest::newRow("cp932 lead byte cut off") << QByteArray("A\x93") << QStringLiteral("A");
    QTest::newRow("no cp932 code") << QByteArray("A\xA0Z") << QString::fromUtf8("A\xEF\xBF\xBDZ");
    QTest::newRow("utf-8 cut at the end") << kNihongoUtf8.left(7) << kNihongo.left(2);
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestTagReaders::LegacyText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(DecodeLegacyText(bytes), expected);
}

void TestTagReaders::Id3v1Title_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("expected");
    QTest::newRow("four letters and NULs") << QByteArray("Abcd") << QStringLiteral("Abcd");
    QTest::newRow("blanks and NULs around")
        << QByteArray("  Blue Moon   \0\0\0", 17) << QStringLiteral("Blue Moon");
    QTest::newRow("control characters dropped") << QByteArray("A\x01"
                                                              "B\0C",
                                                              5)
                                                << QStringLiteral("ABC");
    QTest::newRow("shift-jis") << kNihongoCp932 << kNihongo;
    QTest::newRow("utf-8") << kNihongoUtf8 << kNihongo;
    QTest::newRow("full field") << QByteArray(30, 'x') << QString(30, QLatin1Char('x'));
    QTest::newRow("only blanks") << QByteArray(30, ' ') << QString();
}

void TestTagReaders::Id3v1Title()
{
    QFETCH(QByteArray, field);
    QFETCH(QString, expected);
    QCOMPARE(Mp3Title(Audio() + Id3v1(field)), expected);
    // A file that is nothing but the tag.
    QCOMPARE(Mp3Title(Id3v1(field)), expected);
}

void TestTagReaders::Id3v1WinsOverId3v2()
{
    const QByteArray v2 = Id3v2(Frame("TIT2", QByteArray("\0Two", 4)));
    QCOMPARE(Mp3Title(v2 + Audio() + Id3v1("One")), QStringLiteral("One"));
    QCOMPARE(Mp3Title(v2 + Audio()), QStringLiteral("Two"));
}

void TestTagReaders::Id3v2Text_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("latin text trimmed") << QByteArray("\0  Title ", 9) << QStringLiteral("Title");
    QTest::newRow("encoding 0 shift-jis") << QByteArray(1, '\0') + kNihongoCp932 << kNihongo;
    QTest::newRow("encoding 0 latin-1")
        << QByteArray("\0Caf\xE9 Ol\xE9", 9) << QString::fromUtf8("Caf\xC3\xA9 Ol\xC3\xA9");
    QTest::newRow("encoding 0 latin-1 that is single-byte cp932")
        << QByteArray("\0\xB1\xB2", 3) << QString::fromUtf8("\xC2\xB1\xC2\xB2");
    QTest::newRow("encoding 0 latin-1 with a lone lead byte")
        << QByteArray("\0\xC0\xE0", 3) << QString::fromUtf8("\xC3\x80\xC3\xA0");
    QTest::newRow("encoding 0 latin-1 that is user-defined cp932")
        << QByteArray("\0Se\xF1or", 6) << QString::fromUtf8("Se\xC3\xB1or");
    QTest::newRow("encoding 0 shift-jis with half-width kana")
        << QByteArray("\0\xB1\x93\xFA", 4) << QString::fromUtf8("\xEF\xBD\xB1\xE6\x97\xA5");
    QTest::newRow("encoding 0 stops at NUL")
        << QByteArray("\0Name\0Junk", 10) << QStringLiteral("Name");
    QTest::newRow("utf-16 LE with BOM")
        << QByteArray("\x01\xFF\xFE\xE5\x65\x2C\x67\x9E\x8A\0\0", 11) << kNihongo;
    QTest::newRow("utf-16 BE with BOM")
        << QByteArray("\x01\xFE\xFF\x65\xE5\x67\x2C\x8A\x9E", 9) << kNihongo;
    QTest::newRow("utf-16 stops at terminator") << QByteArray("\x01\xFF\xFE"
                                                              "A\0\0\0B\0",
                                                              9)
                                                << QStringLiteral("A");
    QTest::newRow("utf-16 odd byte dropped") << QByteArray("\x01\xFF\xFE"
                                                           "A\0B",
                                                           6)
                                             << QStringLiteral("A");
    QTest::newRow("utf-16 BE without BOM")
        << QByteArray("\x02\0 \0S\0o\0n\0g\0 ", 13) << QStringLiteral("Song");
    QTest::newRow("utf-8") << QByteArray(1, '\x03') + kNihongoUtf8 + QByteArray("\0x", 2)
                           << kNihongo;
    QTest::newRow("utf-8 with BOM")
        << QByteArray("\x03\xEF\xBB\xBFTrack") << QStringLiteral("Track");
    QTest::newRow("encoding byte only") << QByteArray(1, '\x01') << QString();
    QTest::newRow("nothing") << QByteArray() << QString();
}

void TestTagReaders::Id3v2Text()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QCOMPARE(DecodeId3Text(content), expected);
    const QByteArray frames = Frame("TPE1", QByteArray("\0Artist", 7)) + Frame("TIT2", content);
    const QString fromFile = Mp3Title(Id3v2(frames, frames.size() + 64) + Audio());
    QCOMPARE(fromFile, expected);
}

void TestTagReaders::Id3v2TagBounds()
{
    // Size bytes 00 00 02 01: 257 bytes after the header, a tag of 267 bytes.
    const QByteArray frame = Frame("TIT2", QByteArray("\0Fits", 5));
    QByteArray tag = Id3v2(QByteArray(257 - frame.size(), '\0') + frame, 257);
    QCOMPARE(tag.mid(6, 4), QByteArray("\x00\x00\x02\x01", 4));
    QCOMPARE(tag.size(), 267);
    QCOMPARE(Mp3Title(tag + Audio()), QStringLiteral("Fits"));

    // A size one byte larger makes the frame end beyond the tag.
    tag.replace(267 - frame.size() + 4, 4, BigEndian(5 + 1));
    QCOMPARE(Mp3Title(tag + Audio()), QString());

    // "TIT2" whose size field would lie after the tag's last byte.
    QByteArray late = Id3v2(QByteArray(), 257);
    late.replace(267 - 3, 3, "TIT");
    QCOMPARE(Mp3Title(late + "2" + Audio()), kFileName);
}

void TestTagReaders::Id3v2LargeTag()
{
    const QByteArray picture = Frame("APIC", QByteArray(40000, '\x7F'));
    const QByteArray frames = picture + Frame("TIT2", QByteArray("\x03"
                                                                 "Cover",
                                                                 6));
    QCOMPARE(Mp3Title(Id3v2(frames, frames.size() + 100) + Audio()), QStringLiteral("Cover"));

    // A title frame larger than any title is read only up to 64 KiB.
    const QByteArray longTitle = Frame("TIT2", QByteArray(1, '\0') + QByteArray(100000, 'a'));
    QCOMPARE(Mp3Title(Id3v2(longTitle) + Audio()), QString(64 * 1024 - 1, QLatin1Char('a')));
}

void TestTagReaders::Mp3WithoutTitle_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("no tag") << Audio();
    QTest::newRow("version 2.2 frame names")
        << Id3v2(QByteArray("TT2\0\0\x05\0Old", 11), 64, 2) + Audio();
    QTest::newRow("tag without TIT2") << Id3v2(Frame("TALB", QByteArray("\0Album", 6))) + Audio();
}

void TestTagReaders::Mp3WithoutTitle()
{
    QFETCH(QByteArray, file);
    QCOMPARE(Mp3Title(file), kFileName);
}

void TestTagReaders::Mp3DamagedGivesEmpty_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("short file without tag") << Audio(100);
    QTest::newRow("truncated ID3 header") << QByteArray("ID3\x03\0\0\0", 7);
    QByteArray huge = Id3v2(Frame("TIT2", QByteArray("\0Title", 6)), 64) + Audio();
    huge.replace(14, 4, BigEndian(0xFFFFFFFF));
    QTest::newRow("TIT2 size far beyond the tag") << huge;
    QByteArray beyond = Id3v2(Frame("TIT2", QByteArray("\0Title", 6)), 14);
    QTest::newRow("TIT2 content beyond the tag") << beyond + Audio();
    QTest::newRow("file ends inside the size field")
        << Id3v2(QByteArray("TIT2\0\0", 6), 60).left(16);
    QTest::newRow("file ends inside the frame")
        << Id3v2(Frame("TIT2", QByteArray("\0Title", 6)), 60).left(24);
}

void TestTagReaders::Mp3DamagedGivesEmpty()
{
    QFETCH(QByteArray, file);
    QCOMPARE(Mp3Title(file), QString());
}

void TestTagReaders::MidiTitle_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("expected");
    const QByteArray header = MidiHeader();
    QTest::newRow("track name") << header + Track(MetaEvent(3, " Nocturne ") + kEndOfTrack)
                                << QStringLiteral("Nocturne");
    QTest::newRow("text event before name")
        << header + Track(MetaEvent(1, "Text") + MetaEvent(3, "Name") + kEndOfTrack)
        << QStringLiteral("Text");
    QTest::newRow("name before text event")
        << header + Track(kNoteOn + MetaEvent(3, "Name") + MetaEvent(1, "Text") + kEndOfTrack)
        << QStringLiteral("Name");
    QTest::newRow("shift-jis name")
        << header + Track(MetaEvent(3, kNihongoCp932) + kEndOfTrack) << kNihongo;
    QTest::newRow("name only in the second track")
        << header + Track(kNoteOn + kEndOfTrack) + Track(MetaEvent(3, "Second") + kEndOfTrack)
        << QStringLiteral("tune.mid");
    QTest::newRow("name in the only track after notes")
        << header + Track(kNoteOn + MetaEvent(3, "Late")) << QStringLiteral("Late");
    QTest::newRow("empty name") << header + Track(MetaEvent(3, "") + kEndOfTrack)
                                << QStringLiteral("tune.mid");
    QTest::newRow("blank name") << header + Track(MetaEvent(3, "   ") + kEndOfTrack) << QString();
    QTest::newRow("no MThd") << Track(MetaEvent(3, "Name")) << QString();
    QTest::newRow("MThd without MTrk") << header + MetaEvent(3, "Name") << QString();
    QTest::newRow("file ends in the header") << header.left(10) << QString();
    QTest::newRow("file ends before the length")
        << header + QByteArray("MTrk\0\0\0\x02\xFF\x03", 10) << QString();
    QTest::newRow("text longer than the file")
        << header + Track(MetaEvent(3, "Name")).left(14) << QString();
    QTest::newRow("length 255 fits exactly")
        << header + Track(MetaEvent(3, QByteArray(255, 'm'))) << QString(255, QLatin1Char('m'));
}

void TestTagReaders::MidiTitle()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, expected);
    QCOMPARE(::MidiTitle(file), expected);
}

void TestTagReaders::ReadersFromPaths()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    };
    write(QStringLiteral("plain.mp3"), Audio());
    write(QStringLiteral("tagged.mp3"),
          Id3v2(Frame("TIT2", QByteArray("\x03Tagged", 7))) + Audio());
    write(QStringLiteral("v1.mp3"), Audio() + Id3v1(kNihongoCp932));
    write(QStringLiteral("named.mid"), MidiHeader() + Track(MetaEvent(3, "Named")));
    write(QStringLiteral("nameless.mid"), MidiHeader() + Track(kEndOfTrack));

    QCOMPARE(ReadMp3Title(dir.filePath(QStringLiteral("plain.mp3"))), QStringLiteral("plain.mp3"));
    QCOMPARE(ReadMp3Title(dir.filePath(QStringLiteral("tagged.mp3"))), QStringLiteral("Tagged"));
    QCOMPARE(ReadMp3Title(dir.filePath(QStringLiteral("v1.mp3"))), kNihongo);
    QCOMPARE(ReadMidiTitle(dir.filePath(QStringLiteral("named.mid"))), QStringLiteral("Named"));
    QCOMPARE(ReadMidiTitle(dir.filePath(QStringLiteral("nameless.mid"))),
             QStringLiteral("nameless.mid"));
    QCOMPARE(ReadMp3Title(dir.filePath(QStringLiteral("missing.mp3"))), QString());
    QCOMPARE(ReadMidiTitle(dir.path()), QString());
}

QTEST_GUILESS_MAIN(TestTagReaders)
#include "tst_tag_readers.moc"
