#include "core/picture_folder.h"

#include <QTest>

// Where saved analyzer pictures go and what they are called.
class TestPictureFolder : public QObject
{
    Q_OBJECT

private slots:
    void foldersFromXdgUserDir_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QString>("folder");
        const QString fallback = QStringLiteral("/home/u/Pictures");
        QTest::newRow("set") << QByteArray("/home/u/Bilder\n") << "/home/u/Bilder";
        QTest::newRow("not set: the home folder") << QByteArray("/home/u\n") << fallback;
        QTest::newRow("no answer") << QByteArray() << fallback;
        QTest::newRow("relative") << QByteArray("Pictures\n") << fallback;
        QTest::newRow("two lines") << QByteArray("/srv/pics\n/etc\n") << "/srv/pics";
        QTest::newRow("too long") << QByteArray("/" + QByteArray(5000, 'a')) << fallback;
        QTest::newRow("a resource path") << QByteArray(":/..\n") << fallback;
    }

    void foldersFromXdgUserDir()
    {
        QFETCH(QByteArray, output);
        QFETCH(QString, folder);
        QCOMPARE(PicturesFolderFrom(output, QStringLiteral("/home/u")), folder);
    }

    void pictureNames_data()
    {
        QTest::addColumn<QString>("medium");
        QTest::addColumn<QString>("name");
        QTest::newRow("a file") << "/music/My Song.mp3"
                                << "My Song 2026-12-09 09-41-07.png";
        QTest::newRow("two dots") << "/music/a.b.wav"
                                  << "a.b 2026-12-09 09-41-07.png";
        QTest::newRow("no medium") << QString() << "Lumo 2026-12-09 09-41-07.png";
    }

    void pictureNames()
    {
        QFETCH(QString, medium);
        QFETCH(QString, name);
        const QDateTime time(QDate(2026, 12, 9), QTime(9, 41, 7));
        QCOMPARE(AnalyzerPictureName(medium, time), name);
    }
};

QTEST_MAIN(TestPictureFolder)
#include "tst_picture_folder.moc"
