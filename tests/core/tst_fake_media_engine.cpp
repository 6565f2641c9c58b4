#include "support/fake_media_engine.h"

#include <QTest>

// The fake engine's own bookkeeping, which the window-logic tests rely on.
class TestFakeMediaEngine : public QObject
{
    Q_OBJECT

private slots:
    void RendersOnlyScriptedPaths();
    void TracksEnginesAcrossOpens();
    void RefusesScriptedRates();
    void AdvancesOnlyWhileRunning();
    void VideoWindowOnlyWithPicture();
};

void TestFakeMediaEngine::RendersOnlyScriptedPaths()
{
    FakeMediaEngines engines;
    engines.AddMedium(QStringLiteral("/m/a.avi"), {4.5, QSize(320, 240), 0.04, {}});
    auto engine = engines.Factory()();
    QVERIFY(!engine->RenderFile(QStringLiteral("/m/b.avi")));
    QVERIFY(!engine->Duration().has_value());
    QVERIFY(engine->RenderFile(QStringLiteral("/m/a.avi")));
    QCOMPARE(engine->Duration(), std::optional<double>(4.5));
    QCOMPARE(engine->VideoSize(), std::optional<QSize>(QSize(320, 240)));
    QCOMPARE(engine->AvgTimePerFrame(), std::optional<double>(0.04));
}

void TestFakeMediaEngine::TracksEnginesAcrossOpens()
{
    FakeMediaEngines engines;
    engines.AddMedium(QStringLiteral("/m/a.mp3"));
    const MediaEngineFactory factory = engines.Factory();

    auto first = factory();
    QCOMPARE(engines.Last(), first.get());
    first->RenderFile(QStringLiteral("/m/a.mp3"));
    first->Run();
    auto second = factory();
    QCOMPARE(engines.Last(), second.get());
    first->Stop();
    first.reset();
    QCOMPARE(engines.Last(), second.get());
    second->RenderFile(QStringLiteral("/m/x.mp3"));
    second.reset();

    QCOMPARE(engines.Last(), nullptr);
    QCOMPARE(engines.Created(), 2);
    QCOMPARE(engines.Released(), 2);
    QCOMPARE(engines.Log(), QStringList({"1:RenderFile(/m/a.mp3)", "1:Run()", "1:Stop()",
                                         "2:RenderFile(/m/x.mp3)"}));
}

void TestFakeMediaEngine::RefusesScriptedRates()
{
    FakeMediaEngines engines;
    FakeMedium medium;
    medium.refusedRates = {0.5, 2.0};
    engines.AddMedium(QStringLiteral("/m/a.mid"), medium);
    auto engine = engines.Factory()();
    QVERIFY(!engine->SetRate(1.0));
    QVERIFY(engine->RenderFile(QStringLiteral("/m/a.mid")));
    QVERIFY(engine->SetRate(1.0));
    QVERIFY(!engine->SetRate(2.0));
    QCOMPARE(engines.Last()->rate, 1.0);
}

void TestFakeMediaEngine::AdvancesOnlyWhileRunning()
{
    FakeMediaEngines engines;
    engines.AddMedium(QStringLiteral("/m/a.wav"), {3.0, {}, {}, {}});
    auto engine = engines.Factory()();
    FakeMediaEngine *fake = engines.Last();
    QVERIFY(engine->RenderFile(QStringLiteral("/m/a.wav")));
    fake->Advance(1.0);
    QCOMPARE(engine->CurrentPosition(), std::optional<double>(0.0));
    engine->Run();
    engine->SetRate(2.0);
    fake->Advance(1.0);
    QCOMPARE(engine->CurrentPosition(), std::optional<double>(2.0));
    fake->Advance(5.0);
    QCOMPARE(engine->CurrentPosition(), engine->Duration());
    QCOMPARE(fake->CallTexts({"CurrentPosition", "Duration"}),
             QStringList({"RenderFile(/m/a.wav)", "Run()", "SetRate(2)"}));
}

void TestFakeMediaEngine::VideoWindowOnlyWithPicture()
{
    FakeMediaEngines engines;
    engines.AddMedium(QStringLiteral("/m/a.wav"));
    engines.AddMedium(QStringLiteral("/m/a.avi"), {1.0, QSize(160, 120), {}, {}});
    QWidget owner;
    owner.setObjectName(QStringLiteral("Pic"));

    auto sound = engines.Factory()();
    QVERIFY(sound->RenderFile(QStringLiteral("/m/a.wav")));
    QVERIFY(!sound->HasVideoWindow());
    QVERIFY(!sound->SetVideoOwner(&owner));
    QVERIFY(!sound->FullScreenMode().has_value());

    auto movie = engines.Factory()();
    FakeMediaEngine *fake = engines.Last();
    QVERIFY(movie->RenderFile(QStringLiteral("/m/a.avi")));
    QVERIFY(movie->SetVideoRect(QRect(0, 0, 160, 120)));
    QVERIFY(movie->SetVideoOwner(&owner));
    QVERIFY(movie->SetFullScreenMode(true));
    QVERIFY(movie->SetVideoOwner(nullptr));
    QCOMPARE(movie->FullScreenMode(), std::optional<bool>(false));
    QCOMPARE(fake->CallTexts({"FullScreenMode"}),
             QStringList({"RenderFile(/m/a.avi)", "SetVideoRect(0 0 160 120)", "SetVideoOwner(Pic)",
                          "SetFullScreenMode(true)", "SetVideoOwner(null)"}));
}

QTEST_MAIN(TestFakeMediaEngine)
#include "tst_fake_media_engine.moc"
