// Applying the stored settings at start-up and storing them at the end.
#include "core/lumo.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

void Lumo::ReadSettings()
{
    PlayMode = 0;
    ListHiddenFlag = false;
    PicSize_Click();
    VSA = 0;
    CH = 0;
    FastFlag = false;
    TimeRange = 10;
    WFT = 1;
    NumFftNormal = 1;
    NumFftFast = 2;
    CentreWindow();

    VL = QStringLiteral("Lumo \"sorvane\"");
    setWindowTitle(VL);
    LabelTitle[0]->setText(VL);
    LabelTitle[1]->setText(VL);
    SetPlayMode(PlayMode);
    if (VSA <= 6)
        MenuVsaModes[VSA]->trigger();
}

void Lumo::WriteSettings() {}
