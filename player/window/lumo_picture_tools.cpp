// Holding the analyzer picture (freeze) and saving it as PNG into the pictures folder.
#include "window/lumo.h"

#include "core/picture_folder.h"
#include "window/picture_box.h"
#include "window/volume_badge.h"

#include <QDateTime>
#include <QDir>
#include <QMenu>

void Lumo::CreatePictureMenu()
{
    MenuFreeze = PUVSA->addAction(tr("画面を止める(&Z)"));
    MenuFreeze->setCheckable(true);
    MenuSavePicture = PUVSA->addAction(tr("画像を保存(&S)"));
    connect(MenuFreeze, &QAction::triggered, this, [this] { ToggleFreeze(); });
    connect(MenuSavePicture, &QAction::triggered, this, [this] { SaveAnalyzerPicture(); });
}

void Lumo::ToggleFreeze()
{
    FreezeFlag = !FreezeFlag;
    MenuFreeze->setChecked(FreezeFlag);
    if (!FreezeFlag && CT == 2)
        PauseFlag = true;
}

QString Lumo::SaveAnalyzerPicture()
{
    const QString folder = PicturesFolder();
    const QString medium = MediumOpenFlag ? PlayList.At(PlayIndex) : QString();
    const QString path =
        folder + QLatin1Char('/') + AnalyzerPictureName(medium, QDateTime::currentDateTime());
    const bool saved = QDir().mkpath(folder) && Pic->Canvas().save(path, "PNG");
    VolumeNote()->ShowText(saved ? tr("画像を保存しました") : tr("画像を保存できませんでした"));
    return saved ? path : QString();
}
