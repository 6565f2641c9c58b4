// Events that arrive while a medium loads (the engine runs the event loop then) must not
// start a second open or act on the old medium's end.
#include "support/window_rig.h"
#include "window/lumo.h"

#include <QListWidget>
#include <QTest>

class TestLumoReentry : public QObject
{
    Q_OBJECT

private slots:
    void eventsDuringLoadingWait()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        const QString first = rig.Sound("first.mp3", 20);
        const QString second = rig.Sound("second.mp3", 20);
        const QString dropped = rig.Sound("dropped.mp3", 20);
        w.AddFiles({first, second});
        QCOMPARE(rig.engines.Created(), 1);

        // The first sound has reached its end when Next loads the second; meanwhile the old
        // medium's tick, another Next and a drop arrive.
        rig.Engine()->PlayToEnd();
        int hookRuns = 0;
        rig.engines.WhileRendering([&] {
            if (hookRuns++ > 0)
                return;
            w.Timer_Timer();
            w.PicNext_MouseUp(Qt::LeftButton);
            w.DropFiles({dropped});
        });
        w.PicNext_MouseUp(Qt::LeftButton);
        // One open ran: the tick did not act on the old end, the second Next did nothing.
        QCOMPARE(rig.engines.Created(), 2);
        QCOMPARE(w.PlayIndex, 1);
        QCOMPARE(w.CT, 1);
        QVERIFY(rig.messages.isEmpty());
        // The drop is in the list at once and opens once loading is over.
        QCOMPARE(w.ListFile->count(), 3);
        QTRY_COMPARE(w.PlayIndex, 2);
        QCOMPARE(rig.engines.Created(), 3);
    }

    // The exit item chosen while the first file loads: the open goes no further, so nothing
    // plays in a window that is gone.
    void closeDuringLoadingEndsTheOpen()
    {
        WindowRig rig;
        Lumo &w = rig.W();
        const QString path = rig.Sound("a.mp3", 20);
        rig.engines.WhileRendering([&] { w.close(); });

        w.AddFiles({path});
        QCOMPARE(rig.engines.Created(), 1);
        QVERIFY(!w.Engine());
        QCOMPARE(w.CT, 0);
        QVERIFY(!w.MediumOpenFlag);
        QVERIFY(rig.messages.isEmpty());
    }
};

QTEST_MAIN(TestLumoReentry)
#include "tst_lumo_reentry.moc"
