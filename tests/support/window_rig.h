#pragma once

// The one way to build the main window under test.
#include "support/fake_media_engine.h"
#include "support/fixtures.h"
#include "window/lumo.h"

#include <QByteArray>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// How the rig builds its window. Messages and the open dialog are always answered by the rig.
struct RigOptions
{
    bool realEngine = false;   // the platform's media engine instead of scripted fakes
    bool shown = false;        // shown, active and exposed
    bool settingsFile = false; // lumo.ini and lumo-user.ini in the scratch folder: read at
                               // start, written at close
    bool fftModule = true;     // false: the module is looked for in the scratch folder
};

// The window, the engines it makes, a scratch folder for media and settings, and what the
// window asked of the user: the texts of its messages, and how often it asked for files to
// open (the answer is always none).
struct WindowRig
{
    QTemporaryDir dir;
    RigOptions options;
    FakeMediaEngines engines;
    int made = 0; // engines made, fake or real
    QStringList messages;
    int openDialogs = 0;
    std::unique_ptr<Lumo> window;

    explicit WindowRig(RigOptions options = {});
    // Replaces the window, without closing it, by a new one built from the options.
    void Restart();

    Lumo &W() const { return *window; }
    // The fake engine made last; nullptr before the first, once it is released, or when real.
    FakeMediaEngine *Engine() const { return engines.Last(); }
    QString SettingsPath() const { return dir.filePath(QStringLiteral("lumo.ini")); }

    // Makes the file at path, which exists already, play as the given medium.
    QString Playable(const QString &path, const FakeMedium &medium);
    // Writes bytes to the file name in the folder, to play as the given medium.
    QString File(const QString &name, const FakeMedium &medium,
                 const QByteArray &bytes = QByteArrayLiteral("media"));
    // A sound of the given length; bytes are the file's contents.
    QString Sound(const QString &name, double duration = 30.0,
                  const QByteArray &bytes = QByteArrayLiteral("media"));
    // A movie of the given picture size, at 25 frames a second.
    QString Movie(const QString &name, QSize size, double duration = 30.0);
    // Copies the file at source into the folder as name.
    QString Copy(const QString &source, const QString &name);

    void Open(const QString &path) { window->AddFiles({path}); }

    // One tick of the window's timer at the given engine position.
    void TickAt(double seconds);
    // Waits until the window knows how the sound just opened is analysed (files other than
    // WAVE and MPEG audio are examined on a worker); false when it never learns it.
    bool AwaitAnalysis();
};
