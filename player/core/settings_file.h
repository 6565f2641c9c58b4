#pragma once

#include <QByteArray>
#include <QPointF>
#include <QSizeF>
#include <QString>

// The values kept in lumo.ini, as the main window applies them after reading (list pane,
// ChangeChannel, Set play mode, the analyzer-mode menu command) and hands them in for writing.
// Positions and sizes are twips.
struct LumoSettings
{
    int PlayMode = 0;
    bool ListShown = false;
    int VSA = 0;
    int CH = 0;
    bool FastFlag = false;
    bool VsaLargeFlag = false;
    int TimeRange = 10;
    int WFT = 1;
    int NumFftNormal = 1;
    int NumFftFast = 2;
    float Left = 0;
    float Top = 0;
    // Set when the file gave no usable position: the window goes to CentredPosition instead.
    bool Centred = true;

    bool operator==(const LumoSettings &) const = default;
};

// Reads the twelve lines by position. Fewer than twelve lines gives the defaults; a list
// value other than 0 or 1 gives the defaults too, keeping only the large-area flag. A position
// off the screen becomes (0, 0).
LumoSettings ParseSettingsText(const QByteArray &content, QSizeF screen);

// ParseSettingsText of the file at path; a missing or unreadable file gives the defaults.
LumoSettings ReadSettingsFile(const QString &path, QSizeF screen);

// The twelve lines, each ended by CR LF.
QByteArray FormatSettingsText(const LumoSettings &settings);

// Replaces the file as a whole (or not at all), creating its directory when needed.
bool WriteSettingsFile(const QString &path, const LumoSettings &settings);

// Top-left corner that centres a window of the given size on the screen.
QPointF CentredPosition(QSizeF screen, QSizeF window);

// Where lumo.ini lives: beside the program when its directory is writable (portable use),
// else in the user's configuration directory.
QString SettingsFilePath(const QString &programDir);
QString ChooseSettingsFilePath(const QString &programDir, bool programDirWritable,
                               const QString &userDir);
// The user's configuration directory for the player.
QString UserSettingsDirectory();
