// Creation of the main window's controls with their design geometry, colours and fonts.
#include "base/palette.h"
#include "base/window_fonts.h"
#include "window/fitted_label.h"
#include "window/lumo.h"
#include "window/picture_box.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

QLabel *Styled(QLabel *label, Qt::Alignment alignment)
{
    label->setAlignment(alignment | Qt::AlignTop);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAutoFillBackground(false);
    return label;
}

QLabel *MakeLabel(QWidget *parent, const QString &caption, Qt::Alignment alignment)
{
    return Styled(new QLabel(caption, parent), alignment);
}

// A label for one line of text of any name or title, which must not lose its descenders.
QLabel *MakeFittedLabel(QWidget *parent, Qt::Alignment alignment)
{
    return Styled(new FittedLabel(parent), alignment);
}

void SetTextColour(QWidget *widget, QColor colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

} // namespace

void Lumo::CreateControls()
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Palette::WindowBackground);
    setPalette(palette);
    setAutoFillBackground(true);

    Text = new QPlainTextEdit(this);
    Hist = new QPlainTextEdit(this);
    for (QPlainTextEdit *box : {Text, Hist}) {
        box->setReadOnly(true);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setLineWrapMode(QPlainTextEdit::NoWrap);
        box->setFont(WindowFonts::Gothic(9));
    }
    Text->setPlainText(tr("ファイルリスト（ダブルクリックで表示）\n"));
    Hist->setPlainText(tr("再生履歴\n"));

    Pic = new PictureBox(this, Qt::black);
    PicGS = new PictureBox(this);
    PicGS->hide();
    ListFile = new QListWidget(this);
    ListFile->setFont(WindowFonts::Gothic(9));
    SetTextColour(ListFile, Palette::WindowText);

    PicPosBack = new PictureBox(this, Qt::white);
    PicPlay = new PictureBox(this);
    PicSpeed = new PictureBox(this);
    PicSpeed->setToolTip(tr("再生速度倍率"));
    PicBack = new PictureBox(this);
    PicStep = new PictureBox(this);
    PicStop = new PictureBox(this);
    PicPrev = new PictureBox(this);
    PicNext = new PictureBox(this);

    LabelTime = MakeLabel(this, QStringLiteral("00:00"), Qt::AlignHCenter);
    LabelTime->setFont(WindowFonts::Serif(14.25, true, true));
    SetTextColour(LabelTime, Palette::WindowText);
    LabelTitle[0] = MakeFittedLabel(this, Qt::AlignHCenter);
    LabelTitle[1] = MakeFittedLabel(this, Qt::AlignHCenter);
    for (QLabel *title : LabelTitle)
        title->setFont(WindowFonts::PGothic(12, true));
    SetTextColour(LabelTitle[0], Palette::TitleText);
    SetTextColour(LabelTitle[1], Palette::WindowText);
    LabelPm = MakeLabel(this, tr("プレイモード"), Qt::AlignHCenter);
    LabelPm->setToolTip(tr("プレイモード"));
    LabelPm->setFont(WindowFonts::PGothic(8.25));
    SetTextColour(LabelPm, Palette::WindowText);
    LabelFile = MakeFittedLabel(this, Qt::AlignRight);
    LabelFile->setFont(WindowFonts::PGothic(9));
    SetTextColour(LabelFile, Palette::FileText);

    PicFull = new PictureBox(this);
    PicFull->setToolTip(tr("フルスクリーン表示"));
    PicRsl = new PictureBox(this);
    PicRsl->setToolTip(tr("サイズ変更"));
    PicPM = new PictureBox(this);
    PicPM->setToolTip(tr("プレイモード変更"));
    PicSize = new PictureBox(this);
    PicSize->setToolTip(tr("２階層リスト非表示"));
    PicVsa = new PictureBox(this);
    PicVsa->setToolTip(QStringLiteral("Visual Sound Analyzer"));
    PicInfo = new PictureBox(this);
    PicInfo->setToolTip(tr("情報"));
    // The knob lies over the track.
    PicPos = new PictureBox(this);
    PicPos->raise();

    LDDE1 = new QLabel(this);
    LDDE1->hide();
    LDDE2 = new QLabel(QStringLiteral("Label2"), this);
    LDDE2->hide();

    Timer = new QTimer(this);
    Timer->setInterval(250);

    struct Design
    {
        Control control;
        int left, top, width, height;
    };
    const Design design[] = {
        {Control::Pic, 0, 0, 4800, 3600},
        {Control::ListFile, 4800, 0, 2400, 3660},
        {Control::PicPlay, 120, 3720, 600, 600},
        {Control::PicPosBack, 840, 3720, 3015, 135},
        {Control::PicPos, 750, 3660, 240, 240},
        {Control::PicSpeed, 2060, 3930, 660, 330},
        {Control::PicBack, 840, 3960, 495, 300},
        {Control::PicStep, 1440, 3960, 495, 300},
        {Control::PicStop, 2160, 4260, 450, 450},
        {Control::PicPrev, 960, 4380, 495, 300},
        {Control::PicNext, 1560, 4380, 495, 300},
        {Control::LabelTime, 120, 4380, 735, 255},
        {Control::LabelTitle1, 2760, 3960, 3675, 240},
        {Control::LabelTitle0, 2790, 3990, 3675, 240},
        {Control::LabelPm, 2760, 4320, 1155, 345},
        {Control::LabelFile, 4560, 3660, 2235, 180},
        {Control::PicFull, 6900, 3660, 240, 240},
        {Control::PicRsl, 6900, 4080, 240, 240},
        {Control::PicPM, 6480, 4080, 240, 240},
        {Control::PicSize, 6900, 4500, 240, 240},
        {Control::PicVsa, 6480, 4500, 240, 240},
        {Control::PicInfo, 6060, 4500, 240, 240},
        {Control::Text, 0, 4800, 3615, 2415},
        {Control::Hist, 3600, 4800, 3615, 2415},
        {Control::PicGS, 7800, 6480, 255, 255},
    };
    for (const Design &d : design)
        PlaceTwips(d.control, d.left, d.top, d.width, d.height);
    // The shadow lies under the front title text.
    LabelTitle[0]->lower();
    Pic->lower();

    PicPos->SetPicture(Image(QStringLiteral("PicPos")));
    PicFull->SetPicture(Image(QStringLiteral("PicFull")));
    PicRsl->SetPicture(Image(QStringLiteral("PicRsl")));
    PicPM->SetPicture(Image(QStringLiteral("PicPM")));
    PicVsa->SetPicture(Image(QStringLiteral("PicVsa")));
    PicInfo->SetPicture(Image(QStringLiteral("PicInfo")));
    PicSize->SetPicture(Image(QStringLiteral("ImageSize_0")));

    setAcceptDrops(true);
    for (QWidget *w : std::initializer_list<QWidget *>{
             LabelFile, LabelPm, LabelTime, LabelTitle[0], LabelTitle[1], ListFile, Pic,
             PicBack,   PicFull, PicInfo,   PicNext,       PicPlay,       PicPos,   PicPosBack,
             PicPrev,   PicRsl,  PicSize,   PicSpeed,      PicStep,       PicStop}) {
        w->setAcceptDrops(true);
        w->installEventFilter(this);
    }
    ListFile->viewport()->setAcceptDrops(true);
    ListFile->viewport()->installEventFilter(this);
    Text->viewport()->installEventFilter(this);
}
