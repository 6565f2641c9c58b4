#pragma once

#include <QString>
#include <QStringList>

// What the player's arguments ask for: print the usage or the version and end, or run with
// the files. "--help" (or "-h") and "--version" are the only options; "--" ends the options,
// so every argument after it is a file; any other argument is a file.
struct CommandLine
{
    enum class Action { Run, Help, Version };
    Action action = Action::Run;
    QStringList files;

    bool operator==(const CommandLine &) const = default;
};

// arguments.first() is the program and is skipped. The first option found decides the action.
CommandLine ParseCommandLine(const QStringList &arguments);

// The text printed for --help, naming the program as it was started.
QString HelpText(const QString &program);
// The text printed for --version.
QString VersionText();
