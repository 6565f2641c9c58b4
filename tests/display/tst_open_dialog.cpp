// The open dialog's filters turn into the file patterns the dialog's list uses.
#include "display/open_dialog.h"

#include <QDir>
#include <QTest>

class TestOpenDialog : public QObject
{
    Q_OBJECT

private slots:
    void patterns_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("patterns");
        QTest::newRow("movies") << OpenDialogFilters().at(1)
                                << QStringList{"*.avi", "*.mpg", "*.mpeg", "*.wmv"};
        QTest::newRow("all has no list") << OpenDialogFilters().at(4) << QStringList{"*"};
        QTest::newRow("Windows all") << "x (*.*)" << QStringList{"*"};
        QTest::newRow("empty list") << "x ()" << QStringList{"*"};
        QTest::newRow("blanks and gaps") << "x (*.a; *.b;;)" << QStringList{"*.a", "*.b"};
    }

    void patterns()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, patterns);
        QCOMPARE(FilterPatterns(filter), patterns);
    }

    void otherMediaMatch_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("filter");
        for (const char *name : {"a.flac", "b.ogg", "c.opus", "d.m4a", "e.aac", "f.mp4", "g.mkv",
                                 "h.webm", "i.aiff", "j.wma", "k.mka"})
            QTest::newRow(name) << QString::fromLatin1(name) << 5;
        for (const char *name : {"l.m3u", "m.m3u8", "n.pls", "o.xspf"})
            QTest::newRow(name) << QString::fromLatin1(name) << 6;
    }

    // After the five filters come the other formats the engine plays, then the play list
    // files; the dialog's list shows such files by their filter's patterns.
    void otherMediaMatch()
    {
        QFETCH(QString, name);
        QFETCH(int, filter);
        QCOMPARE(OpenDialogFilters().size(), 7);
        QVERIFY(QDir::match(FilterPatterns(OpenDialogFilters().at(filter)), name));
        QVERIFY(!QDir::match(FilterPatterns(OpenDialogFilters().at(1)), name));
    }

    void mediaFilterCoversEveryKind()
    {
        const QStringList media = FilterPatterns(OpenDialogFilters().first());
        QCOMPARE(media.size(), 15);
        for (int i = 1; i <= 3; ++i)
            for (const QString &pattern : FilterPatterns(OpenDialogFilters().at(i)))
                QVERIFY2(media.contains(pattern), qPrintable(pattern));
    }
};

QTEST_GUILESS_MAIN(TestOpenDialog)
#include "tst_open_dialog.moc"
