#pragma once

#include "file_kinds.h"
#include "specify_ini.h"

#include <QStringList>
#include <QWidget>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class RegAccApi;
class SpecifyPrompts;

// What the window needs from its surroundings: where it lives, where the player is, and the
// module and dialogs it talks through (owned by the caller, outliving the window).
struct SpecifyEnvironment
{
    QString programDirectory;
    QString defaultPlayerPath;
    QString systemDirectory;
    RegAccApi *regAcc = nullptr;
    SpecifyPrompts *prompts = nullptr;
};

// The association tool's window: seven kinds of media files to tick, and the buttons that make
// the player their opener (or stop it being so) through the RegAcc module.
class Specify : public QWidget
{
    Q_OBJECT

public:
    explicit Specify(const SpecifyEnvironment &environment, QWidget *parent = nullptr);

    // The path of specify.ini: in the program's directory, or the user's when that is not
    // writable.
    QString SettingsPath() const;

    QLabel *Label;
    QGroupBox *FrameMovie;
    QGroupBox *Frame2;
    std::array<QCheckBox *, NumFileKinds> Check{};
    QCheckBox *CheckIcon;
    QPushButton *Command1;
    QPushButton *Command2;
    QPushButton *Command3;
    QPushButton *Command4;

    bool NoAssociationFlag = false;
    QStringList StoredStates;

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

private:
    void Form_Load();
    void BuildControls();
    KindValues CurrentValues() const;
    QString FindPlayer();
    void ApplyChanges(const QString &playerPath);

    SpecifyEnvironment environment;
    QString systemDirectory;
};
