// Events that arrive while a medium loads (the engine runs the event loop then) must not
// start a second open or act on the old medium's end.
#include "support/fake_media_engine.h"
#include "window/lumo.h"

#include <QFile>
#include <QListWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Forwards to a fake engine and runs a hook while it renders, as if events arrived then.
class HookedEngine : public MediaEngine
{
public:
    HookedEngine(std::unique_ptr<MediaEngine> inner, std::function<void()> hook)
        : inner_(std::move(inner)), hook_(std::move(hook))
    {
    }

    bool RenderFile(const QString &path) override
    {
        if (hook_)
            hook_();
        return inner_->RenderFile(path);
    }
    bool Run() override { return inner_->Run(); }
    bool Pause() override { return inner_->Pause(); }
    bool Stop() override { return inner_->Stop(); }
    std::optional<double> Duration() const override { return inner_->Duration(); }
    std::optional<double> CurrentPosition() const override { return inner_->CurrentPosition(); }
    bool SetCurrentPosition(double s) override { return inner_->SetCurrentPosition(s); }
    bool SetRate(double rate) override { return inner_->SetRate(rate); }
    std::optional<QSize> VideoSize() const override { return inner_->VideoSize(); }
    std::optional<double> AvgTimePerFrame() const override { return inner_->AvgTimePerFrame(); }
    bool HasVideoWindow() const override { return inner_->HasVideoWindow(); }
    bool SetVideoOwner(QWidget *owner) override { return inner_->SetVideoOwner(owner); }
    bool SetVideoRect(const QRect &rect) override { return inner_->SetVideoRect(rect); }
    std::optional<QRect> VideoRect() const override { return inner_->VideoRect(); }
    std::optional<bool> FullScreenMode() const override { return inner_->FullScreenMode(); }
    bool SetFullScreenMode(bool on) override { return inner_->SetFullScreenMode(on); }

private:
    std::unique_ptr<MediaEngine> inner_;
    std::function<void()> hook_;
};

} // namespace

class TestLumoReentry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void eventsDuringLoadingWait()
    {
        QTemporaryDir dir;
        FakeMediaEngines engines;
        std::function<void()> duringLoad;
        const MediaEngineFactory fakes = engines.Factory();
        Lumo::Environment env;
        env.engineFactory = [&] { return std::make_unique<HookedEngine>(fakes(), duringLoad); };
        QStringList messages;
        env.stopMessage = [&](const QString &text, const QString &) { messages << text; };
        Lumo w(env);

        auto sound = [&](const QString &name) {
            const QString path = dir.filePath(name);
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write("media");
            engines.AddMedium(path, FakeMedium{20, std::nullopt, std::nullopt, {}});
            return path;
        };
        const QString first = sound("first.mp3");
        const QString second = sound("second.mp3");
        const QString dropped = sound("dropped.mp3");
        w.AddFiles({first, second});
        QCOMPARE(engines.Created(), 1);

        // The first sound has reached its end when Next loads the second; meanwhile the old
        // medium's tick, another Next and a drop arrive.
        engines.Last()->PlayToEnd();
        int hookRuns = 0;
        duringLoad = [&] {
            if (hookRuns++ > 0)
                return;
            w.Timer_Timer();
            w.PicNext_MouseUp(Qt::LeftButton);
            w.DropFiles({dropped});
        };
        w.PicNext_MouseUp(Qt::LeftButton);
        // One open ran: the tick did not act on the old end, the second Next did nothing.
        QCOMPARE(engines.Created(), 2);
        QCOMPARE(w.PlayIndex, 1);
        QCOMPARE(w.CT, 1);
        QVERIFY(messages.isEmpty());
        // The drop is in the list at once and opens once loading is over.
        QCOMPARE(w.ListFile->count(), 3);
        QTRY_COMPARE(w.PlayIndex, 2);
        QCOMPARE(engines.Created(), 3);
    }

    // The exit item chosen while the first file loads: the open goes no further, so nothing
    // plays in a window that is gone.
    void closeDuringLoadingEndsTheOpen()
    {
        QTemporaryDir dir;
        FakeMediaEngines engines;
        const MediaEngineFactory fakes = engines.Factory();
        Lumo::Environment env;
        Lumo *window = nullptr;
        env.engineFactory = [&] {
            return std::make_unique<HookedEngine>(fakes(), [&] { window->close(); });
        };
        QStringList messages;
        env.stopMessage = [&](const QString &text, const QString &) { messages << text; };
        Lumo w(env);
        window = &w;
        const QString path = dir.filePath("a.mp3");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("media");
        file.close();
        engines.AddMedium(path, FakeMedium{20, std::nullopt, std::nullopt, {}});

        w.AddFiles({path});
        QCOMPARE(engines.Created(), 1);
        QVERIFY(!w.Engine());
        QCOMPARE(w.CT, 0);
        QVERIFY(!w.MediumOpenFlag);
        QVERIFY(messages.isEmpty());
    }
};

QTEST_MAIN(TestLumoReentry)
#include "tst_lumo_reentry.moc"
