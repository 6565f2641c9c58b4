// Hand-offs of many files: every name that fits in the play list's free slots is taken, and
// the names that do not fit are reported once.
#include "core/handoff_text.h"
#include "support/window_rig.h"

#include <QFile>
#include <QListWidget>
#include <QTest>

class TestLumoHandoff : public QObject
{
    Q_OBJECT

private slots:
    void takesWhatFitsAndReportsTheRest_data()
    {
        QTest::addColumn<int>("listed");
        QTest::addColumn<int>("handed");
        QTest::addColumn<int>("added");

        QTest::newRow("10000 into an empty list") << 0 << 10000 << 10000;
        QTest::newRow("more than the free slots") << 9990 << 25 << 10;
        QTest::newRow("full list") << 10000 << 5 << 0;
    }

    void takesWhatFitsAndReportsTheRest()
    {
        QFETCH(int, listed);
        QFETCH(int, handed);
        QFETCH(int, added);
        WindowRig rig;
        const QString sound = rig.Sound(QStringLiteral("a.wav"));
        if (listed > 0)
            rig.W().AddFiles(QStringList(listed, sound));
        rig.messages.clear();

        rig.W().SetHandoffText(HandoffTextOf(QList<QByteArray>(handed, QFile::encodeName(sound))));
        QCOMPARE(rig.W().ListFile->count(), listed + added);
        QCOMPARE(rig.W().PlayList.At(listed + added - 1), sound);
        const QStringList expected =
            added < handed ? QStringList{QStringLiteral("%1 files were not added: the list is full")
                                             .arg(handed - added)}
                           : QStringList();
        QCOMPARE(rig.messages, expected);
    }
};

QTEST_MAIN(TestLumoHandoff)
#include "tst_lumo_handoff.moc"
