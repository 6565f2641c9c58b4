// The general decoder bound from its module at run time: a decoder only from the real module,
// none (and no crash) from a missing, empty or foreign file, and the module looked for again
// until it is there.
#include "analyzer/audio_decoder_module.h"
#include "support/fixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

class TestAudioDecoderModule : public QObject
{
    Q_OBJECT

private slots:
    void bindsOnlyTheModule_data()
    {
        QTest::addColumn<QString>("file"); // what lies at the module's path
        QTest::addColumn<bool>("decodes");
        QTest::newRow("module") << "libaudiodecoder.so" << true;
        QTest::newRow("missing") << "" << false;
        QTest::newRow("empty") << "empty" << false;
        QTest::newRow("not a library") << "text" << false;
        QTest::newRow("library without the factory") << "libfft.so" << false;
    }

    void bindsOnlyTheModule()
    {
        QFETCH(QString, file);
        QFETCH(bool, decodes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("libaudiodecoder.so"));
        const auto place = [&](const QString &what) {
            QFile::remove(path);
            if (what.endsWith(QStringLiteral(".so")))
                return QFile::copy(QStringLiteral(LUMO_BIN_DIR "/") + what, path);
            QFile out(path);
            return what.isEmpty() ||
                   (out.open(QIODevice::WriteOnly) &&
                    out.write(what == QStringLiteral("text") ? "not a module\n" : "") >= 0);
        };
        QVERIFY(place(file));

        AudioDecoderModule module(path);
        std::unique_ptr<AudioDecoder> decoder = module.Make();
        QCOMPARE(decoder != nullptr, decodes);
        if (!decoder) {
            QVERIFY(place(QStringLiteral("libaudiodecoder.so")));
            decoder = module.Make();
            QVERIFY(decoder);
        }
        // The bound decoder is the real one: it decodes a fixture.
        QVERIFY(decoder->OpenFile(Fixture(QStringLiteral("sine_1s.wav"))));
        QVERIFY(decoder->Description().sampleRate > 0);
        std::vector<std::int16_t> out(2 * 1024);
        bool end = false;
        QCOMPARE(decoder->Read(0.5, out.data(), 1024, 2, end), std::size_t(1024));
    }
};

QTEST_GUILESS_MAIN(TestAudioDecoderModule)
#include "tst_audio_decoder_module.moc"
