#pragma once

#include "display/info_text.h"
#include "display/system_info.h"

#include <QDialog>
#include <QPointer>

#include <cstdint>

class Lumo;
class QGroupBox;
class QLabel;
class QPushButton;

// The media information dialog: what the main window knows about the current medium, the
// program's logo and version, and a button that starts the system information tool. While
// it exists the main window is disabled; closing it (or deleting it) enables the window again.
class Info : public QDialog
{
    Q_OBJECT

public:
    // Loads the dialog for the main window's current medium; show() makes it visible.
    explicit Info(Lumo &owner);
    ~Info() override;

    void StartSysInfo();
    bool GetKeyValue(const std::uint32_t &keyRoot, const QString &keyName, const QString &subKeyRef,
                     QString &keyVal);

    // How the system information tool is found and started; tests replace it.
    SystemInfoPlatform Platform;

    QLabel *picIcon = nullptr, *ImageLogo = nullptr, *L1 = nullptr, *L3 = nullptr, *L4 = nullptr,
           *L5 = nullptr;
    QGroupBox *Frame = nullptr;
    // The tags and the sound's format, shown below the file facts when the medium has any.
    QGroupBox *FrameTags = nullptr;
    QLabel *L6 = nullptr, *L7 = nullptr;
    QPushButton *cmdOK = nullptr, *cmdSysInfo = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void CreateControls();
    // Lengthens the dialog by the tag frame and fills it.
    void ShowTagFacts(const MediumFacts &facts);
    void ShowFacts(const MediumFacts &facts);
    void CentreOnScreen();
    void Unload();

    QPointer<Lumo> owner_;
};
