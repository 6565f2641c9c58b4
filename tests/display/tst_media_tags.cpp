#include "display/cover_art.h"
#include "display/media_tags.h"
#include "support/tagged_media.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class TestMediaTags : public QObject
{
    Q_OBJECT

private:
    QString Make(const QString &ext, bool cover, const QStringList &codec,
                 const QStringList &extra = {})
    {
        const QString folder = dir_.filePath(QString::number(made_++));
        QDir().mkpath(folder);
        return TaggedMedia::MakeTaggedSound(folder, ext, cover, codec, extra);
    }

    QTemporaryDir dir_;
    int made_ = 0;

private slots:
    void tagsOfEveryFormat_data()
    {
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QStringList>("codec");
        QTest::addColumn<bool>("cover");
        QTest::addColumn<int>("sampleRate");
        QTest::addColumn<int>("bitDepth");
        QTest::addColumn<bool>("dated");

        const QStringList none;
        QTest::newRow("FLAC") << "flac" << none << true << 44100 << 16 << true;
        QTest::newRow("Ogg Vorbis")
            << "ogg" << QStringList{"-c:a", "libvorbis"} << true << 44100 << 0 << true;
        QTest::newRow("Opus") << "opus" << QStringList{"-c:a", "libopus"} << true << 48000 << 0
                              << true;
        QTest::newRow("M4A") << "m4a" << none << true << 44100 << 0 << true;
        QTest::newRow("MP3") << "mp3" << none << true << 44100 << 0 << true;
        QTest::newRow("WMA") << "wma" << none << false << 44100 << 0 << false;
        QTest::newRow("WavPack") << "wv" << none << false << 44100 << 16 << true;
        QTest::newRow("WAVE 24-bit")
            << "wav" << QStringList{"-c:a", "pcm_s24le"} << false << 44100 << 24 << true;
    }

    // A generated file of each format gives back the tags it was written with, its cover and
    // its stream's format.
    void tagsOfEveryFormat()
    {
        QFETCH(QString, ext);
        QFETCH(QStringList, codec);
        QFETCH(bool, cover);
        QFETCH(int, sampleRate);
        QFETCH(int, bitDepth);
        QFETCH(bool, dated);
        const QString path = Make(ext, cover, codec);
        QVERIFY2(!path.isEmpty(), "ffmpeg could not write the file");

        const MediaTags tags = ReadMediaTags(path);
        QCOMPARE(tags.title, TaggedMedia::Title);
        QCOMPARE(tags.artist, TaggedMedia::Artist);
        QCOMPARE(tags.album, TaggedMedia::Album);
        QCOMPARE(tags.track, TaggedMedia::Track);
        if (dated)
            QCOMPARE(tags.date, TaggedMedia::Date);
        QCOMPARE(tags.sampleRate, sampleRate);
        QCOMPARE(tags.bitDepth, bitDepth);
        QCOMPARE(tags.channels, 2);
        if (cover) {
            QCOMPARE(tags.cover.mimeType, QStringLiteral("image/png"));
            QCOMPARE(tags.cover.bytes, TaggedMedia::SmallPng());
            QCOMPARE(LoadCoverImage(tags.cover, path).size(), QSize(8, 6));
        } else {
            QVERIFY(tags.cover.IsEmpty());
        }

        // The same bytes in memory read the same; cut in half they still read without harm.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(ReadMediaTags(bytes, path), tags);
        const MediaTags cut = ReadMediaTags(bytes.left(bytes.size() / 2), path);
        QVERIFY(cut.cover.bytes.size() <= kMaxCoverBytes);
    }

    // Without an embedded picture the folder's cover.* (in any case) shows, scaled to fit the
    // picture area with its aspect kept.
    void folderCoverFitted()
    {
        const QString folder = dir_.filePath(QStringLiteral("folder-cover"));
        QVERIFY(QDir().mkpath(folder));
        QImage wide(40, 10, QImage::Format_RGB32);
        wide.fill(Qt::green);
        QVERIFY(wide.save(folder + QStringLiteral("/Cover.PNG"), "PNG"));
        QFile(folder + QStringLiteral("/song.flac")).open(QIODevice::WriteOnly);

        const QImage cover = LoadCoverImage({}, folder + QStringLiteral("/song.flac"));
        QCOMPARE(cover.size(), QSize(40, 10));
        QImage area(400, 240, QImage::Format_RGB32);
        area.fill(Qt::white);
        QPainter painter(&area);
        DrawCoverFitted(painter, cover, area.rect());
        painter.end();
        // 400 × 100 in the middle, black above and below.
        QCOMPARE(area.pixel(200, 120), QColor(Qt::green).rgb());
        QCOMPARE(area.pixel(200, 60), QColor(Qt::black).rgb());
        QCOMPARE(area.pixel(0, 71), QColor(Qt::green).rgb());
    }
};

QTEST_MAIN(TestMediaTags)
#include "tst_media_tags.moc"
