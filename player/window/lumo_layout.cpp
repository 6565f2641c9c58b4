// Window layout: the picture area, the list pane, window size cycling, fit to screen, the
// history area and centring.
#include "window/lumo.h"

#include "base/rounding.h"
#include "window/picture_box.h"

#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>

namespace {

QSize ScreenTwips(const QWidget *w)
{
    const QScreen *screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    const QSize pixels = screen ? screen->geometry().size() : QSize(1024, 768);
    return pixels * TwipsPerPixel;
}

} // namespace

QWidget *Lumo::ControlWidget(Control control) const
{
    switch (control) {
    case Control::Pic:
        return Pic;
    case Control::ListFile:
        return ListFile;
    case Control::PicPlay:
        return PicPlay;
    case Control::PicPosBack:
        return PicPosBack;
    case Control::PicPos:
        return PicPos;
    case Control::PicSpeed:
        return PicSpeed;
    case Control::PicBack:
        return PicBack;
    case Control::PicStep:
        return PicStep;
    case Control::PicStop:
        return PicStop;
    case Control::PicPrev:
        return PicPrev;
    case Control::PicNext:
        return PicNext;
    case Control::LabelTime:
        return LabelTime;
    case Control::LabelTitle0:
        return LabelTitle[0];
    case Control::LabelTitle1:
        return LabelTitle[1];
    case Control::LabelPm:
        return LabelPm;
    case Control::LabelFile:
        return LabelFile;
    case Control::PicFull:
        return PicFull;
    case Control::PicRsl:
        return PicRsl;
    case Control::PicPM:
        return PicPM;
    case Control::PicSize:
        return PicSize;
    case Control::PicVsa:
        return PicVsa;
    case Control::PicInfo:
        return PicInfo;
    case Control::Text:
        return Text;
    case Control::Hist:
        return Hist;
    case Control::PicGS:
        return PicGS;
    }
    return nullptr;
}

QRect Lumo::TwipsGeometry(Control control) const
{
    return twips_.value(control);
}

void Lumo::PlaceTwips(Control control, int left, int top, int width, int height)
{
    const QRect r(left, top, width, height);
    twips_[control] = r;
    // The play-mode label's second line uses the margin down to the window's edge.
    const int extra = control == Control::LabelPm ? 105 : 0;
    if (QWidget *w = ControlWidget(control))
        w->setGeometry(TwipsToPixelNearest(left), TwipsToPixelNearest(top),
                       std::max(1, TwipsToPixelNearest(width)),
                       std::max(1, TwipsToPixelNearest(height + extra)));
}

void Lumo::Place(const Placement &placement)
{
    const QRect r = twips_.value(placement.control);
    PlaceTwips(placement.control, placement.left.value_or(r.left()),
               placement.top.value_or(r.top()), placement.width.value_or(r.width()),
               placement.height.value_or(r.height()));
}

void Lumo::MoveKnob(int left)
{
    // Called on every timer tick; the knob moves a pixel only now and then.
    const auto placed = twips_.constFind(Control::PicPos);
    const QRect r = placed == twips_.constEnd() ? QRect() : *placed;
    if (placed != twips_.constEnd() && r.left() == left)
        return;
    PlaceTwips(Control::PicPos, left, r.top(), r.width(), r.height());
}

void Lumo::SetClientSize(int width, int height)
{
    setFixedSize(std::max(1, TwipsToPixelNearest(width)), std::max(1, TwipsToPixelNearest(height)));
}

void Lumo::PaintAudioPicture()
{
    if (PaintCover())
        return;
    Pic->ClearCanvas();
    QPainter painter(&Pic->Canvas());
    painter.drawImage(0, 0, Image(QStringLiteral("ImageAudio")));
    Pic->update();
}

void Lumo::SetPictureArea(int &p, int &q)
{
    const PictureAreaGeometry g = ComputePictureArea(p, q, AudioOnlyFlag, ListHiddenFlag,
                                                     twips_.value(Control::PicPosBack).width());
    p = g.p;
    q = g.q;
    for (const Placement &placement : g.placements) {
        Place(placement);
        if (placement.control == Control::Hist && placement.left)
            SetClientSize(g.clientWidth, g.clientHeight);
    }
    PicInfo->setVisible(g.picInfoVisible);

    if (AudioOnlyFlag) {
        PaintAudioPicture();
    } else if (StillPictureFlag) {
        Pic->ClearCanvas();
        QPainter painter(&Pic->Canvas());
        const QRect r = g.stillPicture;
        painter.drawImage(QRectF(TwipsToPixelExact(r.left()), TwipsToPixelExact(r.top()),
                                 TwipsToPixelExact(r.width()), TwipsToPixelExact(r.height())),
                          PicGS->Picture());
        Pic->update();
    }
    if (PanelFlag)
        emit PanelPositionRequested();
    HistoryAreaFlag = false;
    if (engine_ && engine_->HasVideoWindow())
        engine_->SetVideoRect(g.video);
}

void Lumo::PicSize_Click()
{
    const QRect pic = twips_.value(Control::Pic);
    const ListToggleGeometry g = ComputeListToggle(pic.width(), pic.height(), ListHiddenFlag);
    for (const Placement &placement : g.placements)
        Place(placement);
    PicInfo->setVisible(g.picInfoVisible);
    PicSize->SetPicture(Image(QStringLiteral("ImageSize_%1").arg(g.sizeImageIndex)));
    SetClientSize(g.clientWidth, g.clientHeight);
    PicSize->setToolTip(g.listHiddenAfter ? tr("リスト表示") : tr("リスト非表示"));
    for (const Placement &placement : g.labelFile)
        Place(placement);
    LabelFile->setVisible(g.labelFileVisible);
    ListHiddenFlag = g.listHiddenAfter;
    HistoryAreaFlag = false;
}

void Lumo::PicRsl_Click()
{
    if (!MediumOpenFlag)
        return;
    if (VsaReadyFlag) {
        if (!AnalyzerModes::LargeAreaAllowed(VSA))
            return;
        if (VsaActiveFlag) {
            int p = VsaLargeFlag ? 400 : 640;
            int q = VsaLargeFlag ? 240 : 360;
            VsaLargeFlag = !VsaLargeFlag;
            SetPictureArea(p, q);
            if (PanelFlag)
                emit LargeAreaChanged(VsaLargeFlag);
            if (CT == 2)
                PauseFlag = true;
            return;
        }
    }
    const QSize screen = ScreenTwips(this);
    HistoryAreaFlag = false;
    ZoomFactor = static_cast<float>(
        NextZoomFactor(ZoomFactor, MovieWidth, MovieHeight, screen.width(), screen.height()));
    if (MovieWidth != 0) {
        int p = static_cast<int>(RoundHalfEven(ZoomFactor * MovieWidth));
        int q = static_cast<int>(RoundHalfEven(ZoomFactor * MovieHeight));
        SetPictureArea(p, q);
    }
}

void Lumo::FitToScreen()
{
    const QSize screen = ScreenTwips(this);
    const QSize window = frameGeometry().size() * TwipsPerPixel;
    if (window.width() == screen.width()) {
        int p = VsaLargeFlag ? 640 : 400;
        int q = VsaLargeFlag ? 360 : 240;
        SetPictureArea(p, q);
        return;
    }
    const QScreen *s = this->screen();
    const int taskBar =
        s ? std::max(0, s->geometry().height() - s->availableGeometry().height()) : 0;
    const QSize area = FitToScreenArea(screen, window, twips_.value(Control::Pic).size(), taskBar);
    int p = std::max(1, area.width());
    int q = std::max(1, area.height());
    SetPictureArea(p, q);
    move(0, 0);
}

void Lumo::ToggleHistoryArea()
{
    const int delta = TwipsToPixelDown(2520);
    HistoryAreaFlag = !HistoryAreaFlag;
    setFixedSize(width(), height() + (HistoryAreaFlag ? delta : -delta));
}

void Lumo::CentreWindow()
{
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QSize outer = frameGeometry().size();
    const QRect area = s->geometry();
    move(area.left() + (area.width() - outer.width()) / 2,
         area.top() + (area.height() - outer.height()) / 2);
}
