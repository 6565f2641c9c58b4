// What the window shows about the medium besides the picture: the titles, the caption, the
// play history, the rebuilt file list, the button pictures, and still pictures.
#include "window/lumo.h"

#include "base/rounding.h"
#include "window/picture_box.h"

#include <QDateTime>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>

void Lumo::ResetButtonImages()
{
    ShowButtonImage(PicPlay, QStringLiteral("ImagePlay"), 0);
    ShowButtonImage(PicStop, QStringLiteral("ImageStop"), 0);
    ShowButtonImage(PicPrev, QStringLiteral("ImagePrev"), 0);
    ShowButtonImage(PicNext, QStringLiteral("ImageNext"), 0);
    ShowButtonImage(PicBack, QStringLiteral("ImageBack"), 0);
    ShowButtonImage(PicStep, QStringLiteral("ImageStep"), 0);
}

void Lumo::ShowTitle()
{
    LabelTitle[0]->setText(MovieTitle);
    LabelTitle[1]->setText(MovieTitle);
    setWindowTitle(MovieTitle + QStringLiteral(" - ") + VL);
    emit MediumChanged();
}

void Lumo::AddHistoryEntry(const QString &name)
{
    ++PlayCount;
    const QString when =
        QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    Hist->appendPlainText(
        tr("%1曲目（%2）\n%3").arg(PlayCount).arg(when, FileListLine(PlayIndex, name)));
}

void Lumo::ShowFileListText()
{
    QString text = tr("ファイルリスト\n");
    for (int i = 0; i < ::PlayList::Capacity && !PlayList.At(i).isEmpty(); ++i)
        text += QStringLiteral("\nFT(%1) = %2").arg(i).arg(PlayList.At(i));
    Text->setPlainText(text);
}

bool Lumo::ShowStillPicture(const QString &path)
{
    CloseMedium();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        return false;
    PicGS->SetPicture(picture);
    MovieWidth = picture.width();
    MovieHeight = picture.height();
    MovieLength = MovieBitrate = MovieFrameRate = 0;
    {
        Pic->ClearCanvas();
        QPainter painter(&Pic->Canvas());
        painter.drawImage(0, 0, picture);
    }
    ForgetMediumTags();
    MovieTitle = TitleOf(path);
    ShowTitle();
    AddHistoryEntry(FileNameOf(path));
    MediumOpenFlag = true;
    ResetButtonImages();
    MoveKnob(750);
    StillPictureFlag = true;
    int p = MovieWidth, q = MovieHeight;
    SetPictureArea(p, q);
    return true;
}
