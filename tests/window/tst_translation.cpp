// English for every language but Japanese: the window's menus, labels and messages in the
// translation, the Japanese source texts for a Japanese locale, and a translation file that
// holds every text of the sources, each translated.
#include "base/translation.h"
#include "support/window_rig.h"
#include "window/lumo.h"

#include <QAction>
#include <QLabel>
#include <QLibraryInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString TsFile = QStringLiteral(LUMO_SOURCE_DIR "/player/resources/translations/lumo_en.ts");

// Each message of a translation file: its context and source, and whether it is translated.
QMap<QString, bool> Messages(const QString &path)
{
    QMap<QString, bool> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const bool done = xml.attributes().value(QLatin1String("type")).isEmpty();
            // Plural texts hold their forms in child elements.
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            messages.insert(context + QLatin1Char('|') + source, done && !text.trimmed().isEmpty());
        } else if (xml.name() != QLatin1String("TS") && xml.name() != QLatin1String("context") &&
                   xml.name() != QLatin1String("message")) {
            xml.skipCurrentElement();
        }
    }
    return messages;
}

} // namespace

class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { InstallTranslation(QLocale(QLocale::Japanese)); }

    void windowTexts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("english");
        QTest::newRow("English") << "en_US" << true;
        QTest::newRow("German gets English") << "de_DE" << true;
        QTest::newRow("C locale") << "C" << true;
        QTest::newRow("Japanese: the source") << "ja_JP" << false;
    }

    void windowTexts()
    {
        QFETCH(QString, locale);
        QFETCH(bool, english);
        QCOMPARE(InstallTranslation(QLocale(locale)), english);
        WindowRig rig;
        QCOMPARE(rig.W().MenuExit->text(), english ? "E&xit" : "終了(&X)");
        QCOMPARE(rig.W().MenuVsaModes[2]->text(),
                 english ? "Spectrum Analyzer A (&L)" : "スペクトラムアナライザA(&L)");
        QCOMPARE(rig.W().LabelPm->text(), english ? "Play mode\nSolo" : "プレイモード\n単独");
        const QString missing = rig.dir.filePath(QStringLiteral("missing.mp3"));
        rig.Open(missing);
        QCOMPARE(rig.messages.value(0),
                 (english ? "The file cannot be opened.\n" : "ファイルが開けません。\n") + missing);
        // The program's title is a name, the same in every language.
        QCOMPARE(rig.W().windowTitle(), "Lumo \"sorvane\"");
    }

    void everyTextTranslated()
    {
        const QMap<QString, bool> shipped = Messages(TsFile);
        QVERIFY(shipped.size() > 100);
        for (auto it = shipped.cbegin(); it != shipped.cend(); ++it)
            QVERIFY2(it.value(), qPrintable(QStringLiteral("untranslated: ") + it.key()));

        // The texts of the sources as they are now: none missing from the translation file.
        const QString lupdate =
            QLibraryInfo::path(QLibraryInfo::BinariesPath) + QStringLiteral("/lupdate");
        QTemporaryDir dir;
        const QString fresh = dir.filePath(QStringLiteral("fresh.ts"));
        QProcess scan;
        scan.start(lupdate,
                   {QStringLiteral("-silent"), QStringLiteral(LUMO_SOURCE_DIR "/player"),
                    QStringLiteral(LUMO_SOURCE_DIR "/specify"), QStringLiteral("-ts"), fresh});
        QVERIFY2(scan.waitForFinished(120000), qPrintable(lupdate));
        QCOMPARE(scan.exitCode(), 0);
        const QStringList current = Messages(fresh).keys();
        QVERIFY(!current.isEmpty());
        for (const QString &text : current)
            QVERIFY2(shipped.contains(text),
                     qPrintable(QStringLiteral("not in lumo_en.ts (run lupdate): ") + text));
    }
};

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
