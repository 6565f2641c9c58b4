#include "support/window_rig.h"

#include "core/media_engine_factory.h"

#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <chrono>
#include <thread>

WindowRig::WindowRig(RigOptions options) : options(options)
{
    // Nothing under test reaches the user's own folders.
    QStandardPaths::setTestModeEnabled(true);
    Restart();
}

void WindowRig::Restart()
{
    window.reset();
    const MediaEngineFactory make =
        options.realEngine ? MakeMediaEngineFactory() : engines.Factory();
    Lumo::Environment env;
    env.engineFactory = [this, make](const QString &path) {
        ++made;
        return make(path);
    };
    env.stopMessage = [this](const QString &text, const QString &) { messages << text; };
    env.infoMessage = env.stopMessage;
    env.openDialog = [this](QWidget *) {
        ++openDialogs;
        return QStringList();
    };
    if (options.settingsFile) {
        env.settingsPath = SettingsPath();
        env.userSettingsPath = dir.filePath(QStringLiteral("lumo-user.ini"));
    }
    if (!options.fftModule)
        env.fftDirectory = dir.path();
    window = std::make_unique<Lumo>(env);
    if (options.shown) {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
}

QString WindowRig::Playable(const QString &path, const FakeMedium &medium)
{
    engines.AddMedium(path, medium);
    return path;
}

QString WindowRig::File(const QString &name, const FakeMedium &medium, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return Playable(path, medium);
}

QString WindowRig::Sound(const QString &name, double duration, const QByteArray &bytes)
{
    return File(name, FakeMedium{duration, std::nullopt, std::nullopt, {}}, bytes);
}

QString WindowRig::Movie(const QString &name, QSize size, double duration)
{
    return File(name, FakeMedium{duration, size, 1.0 / 25, {}});
}

QString WindowRig::Copy(const QString &source, const QString &name)
{
    const QString path = dir.filePath(name);
    QFile::copy(source, path);
    return path;
}

bool WindowRig::AwaitAnalysis()
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    window->PollAnalysisProbe();
    while (window->AnalysisAwaited() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        window->PollAnalysisProbe();
    }
    return !window->AnalysisAwaited();
}

void WindowRig::TickAt(double seconds)
{
    if (Engine())
        Engine()->SetPosition(seconds);
    window->Timer_Timer();
}
