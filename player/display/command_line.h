#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What the player's arguments ask for: print the usage or the version and end, or run with
// the files. "--help" (or "-h") and "--version" are the only options; "--" ends the options,
// so every argument after it is a file; any other argument is a file.
struct CommandLine
{
    enum class Action { Run, Help, Version };
    Action action = Action::Run;
    QList<QByteArray> files; // as the system passed them

    bool operator==(const CommandLine &) const = default;
};

// arguments.first() is the program and is skipped. The first option found decides the action.
CommandLine ParseCommandLine(const QList<QByteArray> &arguments);

// The text printed for --help, naming the program as it was started.
QString HelpText(const QString &program);
// The text printed for --version.
QString VersionText();
