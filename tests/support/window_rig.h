#pragma once

// A main window over fake media engines, for the tests of the window logic.
#include "support/fake_media_engine.h"
#include "window/lumo.h"

#include <QByteArray>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// The window (not shown), the engines it makes, a temporary directory for media files and
// what the window asked of the user: the texts of its messages, and how often it asked for
// files to open (the answer is always none).
struct WindowRig
{
    QTemporaryDir dir;
    FakeMediaEngines engines;
    QStringList messages;
    int openDialogs = 0;
    std::unique_ptr<Lumo> window;

    WindowRig();

    Lumo &W() const { return *window; }
    // The engine made last; nullptr before the first or once it is released.
    FakeMediaEngine *Engine() const { return engines.Last(); }

    // Makes the file at path, which exists already, play as the given medium.
    QString Playable(const QString &path, const FakeMedium &medium);
    // Writes bytes to the file name in the directory, to play as the given medium.
    QString File(const QString &name, const FakeMedium &medium,
                 const QByteArray &bytes = QByteArrayLiteral("media"));
    // A sound of the given length; bytes are the file's contents.
    QString Sound(const QString &name, double duration = 30.0,
                  const QByteArray &bytes = QByteArrayLiteral("media"));
    // A movie of the given picture size, at 25 frames a second.
    QString Movie(const QString &name, QSize size, double duration = 30.0);
    // Copies the file at source into the directory as name.
    QString Copy(const QString &source, const QString &name);

    void Open(const QString &path) { window->AddFiles({path}); }

    // One tick of the window's timer at the given engine position.
    void TickAt(double seconds);
};
