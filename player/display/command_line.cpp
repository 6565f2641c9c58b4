#include "display/command_line.h"

#include <QCoreApplication>
#include <QFileInfo>

#ifndef LUMO_VERSION
#define LUMO_VERSION "0"
#endif

CommandLine ParseCommandLine(const QList<QByteArray> &arguments)
{
    CommandLine line;
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QByteArray &argument = arguments[i];
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "--help" || argument == "-h")) {
            if (line.action == CommandLine::Action::Run)
                line.action = CommandLine::Action::Help;
        } else if (options && argument == "--version") {
            if (line.action == CommandLine::Action::Run)
                line.action = CommandLine::Action::Version;
        } else {
            line.files << argument;
        }
    }
    return line;
}

QString HelpText(const QString &program)
{
    const QString name = QFileInfo(program).fileName();
    return QCoreApplication::translate(
               "CommandLine", "使い方: %1 [オプション] [--] [ファイル...]\n"
                              "動画・音声・画像を再生し、音をアナライザで表示します。\n"
                              "すでに起動しているときは、ファイルをそのプレーヤーに渡します。\n"
                              "\n"
                              "オプション:\n"
                              "  -h, --help   この説明を表示して終了します\n"
                              "  --version    バージョンを表示して終了します\n"
                              "  --           これより後の引数はすべてファイル名です\n")
        .arg(name.isEmpty() ? QStringLiteral("lumo") : name);
}

QString VersionText()
{
    return QStringLiteral("Lumo " LUMO_VERSION "\n");
}
