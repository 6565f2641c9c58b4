// Transport: the six buttons, the position bar, the speed dial, the end of a medium by play
// mode and the main timer.
#include "window/lumo.h"

#include "base/rounding.h"
#include "window/picture_box.h"

#include <QLabel>
#include <QListWidget>
#include <QTimer>

namespace {

constexpr int KnobStart = 750;

// Minutes and seconds of a position, each at least two digits.
QString TimeText(double p)
{
    const auto whole = static_cast<std::int64_t>(RoundHalfEven(p));
    const std::int64_t minutes = whole / 60;
    const std::int64_t seconds = whole % 60;
    return QStringLiteral("%1:%2")
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(seconds, 2, 10, QLatin1Char('0'));
}

} // namespace

int Lumo::TrackLength() const
{
    return static_cast<std::int16_t>(twips_.value(Control::PicPosBack).width() - 60);
}

// A transport button acts on the left button while a medium is open; the buttons that move
// within the medium also need it to be no still picture.
bool Lumo::ButtonActs(Qt::MouseButton button, bool withinMedium) const
{
    return button == Qt::LeftButton && MediumOpenFlag && !(withinMedium && StillPictureFlag);
}

void Lumo::ShowButtonImage(PictureBox *button, const QString &images, int index)
{
    button->SetPicture(Image(QStringLiteral("%1_%2").arg(images).arg(index)));
    emit StateChanged();
}

// Shows a button pressed when it acts.
void Lumo::PressButton(Qt::MouseButton button, bool withinMedium, PictureBox *box,
                       const QString &images)
{
    if (ButtonActs(button, withinMedium))
        ShowButtonImage(box, images, 1);
}

// Shows a button released when it acts; true when its action is to follow.
bool Lumo::ReleaseButton(Qt::MouseButton button, bool withinMedium, PictureBox *box,
                         const QString &images)
{
    if (!ButtonActs(button, withinMedium))
        return false;
    ShowButtonImage(box, images, 0);
    return true;
}

void Lumo::PicPlay_MouseDown(Qt::MouseButton button)
{
    PressButton(button, true, PicPlay, QStringLiteral("ImagePlay"));
}

void Lumo::PicPlay_MouseUp(Qt::MouseButton button)
{
    if (!ButtonActs(button, true) || !engine_)
        return;
    if (CT == 1) {
        engine_->Pause();
        CT = 2;
        ShowButtonImage(PicPlay, QStringLiteral("ImagePlay"), 1);
    } else {
        engine_->Run();
        Timer->start();
        CT = 1;
        ShowButtonImage(PicPlay, QStringLiteral("ImagePlay"), 0);
    }
}

void Lumo::PicStop_MouseDown(Qt::MouseButton button)
{
    PressButton(button, true, PicStop, QStringLiteral("ImageStop"));
}

void Lumo::PicStop_MouseUp(Qt::MouseButton button)
{
    if (!ButtonActs(button, true) || !engine_)
        return;
    engine_->SetCurrentPosition(0);
    ProcessPendingEvents();
    MoveKnob(KnobStart);
    if (engine_)
        engine_->Stop();
    CT = 0;
    Timer->stop();
    ShowButtonImage(PicStop, QStringLiteral("ImageStop"), 0);
    ShowButtonImage(PicPlay, QStringLiteral("ImagePlay"), 0);
}

void Lumo::PicBack_MouseDown(Qt::MouseButton button)
{
    PressButton(button, true, PicBack, QStringLiteral("ImageBack"));
}

void Lumo::PicBack_MouseUp(Qt::MouseButton button)
{
    if (ReleaseButton(button, true, PicBack, QStringLiteral("ImageBack")))
        Back();
}

void Lumo::PicStep_MouseDown(Qt::MouseButton button)
{
    PressButton(button, true, PicStep, QStringLiteral("ImageStep"));
}

void Lumo::PicStep_MouseUp(Qt::MouseButton button)
{
    if (ReleaseButton(button, true, PicStep, QStringLiteral("ImageStep")))
        Step();
}

void Lumo::PicPrev_MouseDown(Qt::MouseButton button)
{
    PressButton(button, false, PicPrev, QStringLiteral("ImagePrev"));
}

void Lumo::PicPrev_MouseUp(Qt::MouseButton button)
{
    if (ReleaseButton(button, false, PicPrev, QStringLiteral("ImagePrev")))
        Previous();
}

void Lumo::PicNext_MouseDown(Qt::MouseButton button)
{
    PressButton(button, false, PicNext, QStringLiteral("ImageNext"));
}

void Lumo::PicNext_MouseUp(Qt::MouseButton button)
{
    if (ReleaseButton(button, false, PicNext, QStringLiteral("ImageNext")))
        Next();
}

void Lumo::Back()
{
    if (CT == 0 || !engine_)
        return;
    const double p = RoundTo2(static_cast<float>(engine_->CurrentPosition().value_or(0.0)));
    if (CT == 2)
        PauseFlag = true;
    engine_->SetCurrentPosition(p - 10 >= 0 ? p - 10 : 0);
}

void Lumo::Step()
{
    if (CT == 0 || !engine_)
        return;
    const double t = RoundTo2(static_cast<float>(engine_->Duration().value_or(0.0)));
    const double p = RoundTo2(static_cast<float>(engine_->CurrentPosition().value_or(0.0)));
    if (p + 10 >= t) {
        engine_->SetCurrentPosition(t);
        Timer->stop();
        EndOfMedium();
    } else {
        engine_->SetCurrentPosition(p + 10);
    }
    if (CT == 2)
        PauseFlag = true;
}

void Lumo::Previous()
{
    if (opening_)
        return;
    if (PlayMode == 2) {
        RandomPick();
    } else if (PlayIndex > 0) {
        --PlayIndex;
        SelectListRow(PlayIndex);
    }
    RememberFullScreen();
    OpenCurrent();
}

void Lumo::Next()
{
    if (opening_)
        return;
    if (PlayMode == 2) {
        RandomPick();
    } else {
        SelectListRow(PlayIndex);
        if (PlayIndex + 1 != ListFile->count()) {
            ++PlayIndex;
            SelectListRow(PlayIndex);
        }
    }
    RememberFullScreen();
    OpenCurrent();
}

void Lumo::PicPos_MouseDown(Qt::MouseButton button, int x)
{
    if (button != Qt::LeftButton || !MediumOpenFlag || StillPictureFlag)
        return;
    grabOffset_ = static_cast<std::int16_t>(x);
    knobHeld_ = true;
}

void Lumo::PicPos_MouseMove(Qt::MouseButtons buttons, int x)
{
    if (!(buttons & Qt::LeftButton) || !MediumOpenFlag || StillPictureFlag)
        return;
    if (x % 15 != 0)
        return;
    const int maxLeft = twips_.value(Control::PicPosBack).width() + 690;
    const int left =
        static_cast<std::int16_t>(x - grabOffset_ + twips_.value(Control::PicPos).left());
    MoveKnob(std::clamp(left, KnobStart, std::max(KnobStart, maxLeft)));
}

void Lumo::PicPos_MouseUp(Qt::MouseButton button)
{
    if (button == Qt::LeftButton)
        knobHeld_ = false;
    if (button != Qt::LeftButton || !MediumOpenFlag || StillPictureFlag || !engine_)
        return;
    const int length = TrackLength();
    const double f = length > 0 ? (twips_.value(Control::PicPos).left() -
                                   twips_.value(Control::PicPosBack).left() + grabOffset_) /
                                      double(length)
                                : 0.0;
    engine_->SetCurrentPosition(f * RoundTo2(engine_->Duration().value_or(0.0)));
    engine_->Run();
    Timer->start();
    CT = 1;
    PicPlay->SetPicture(Image(QStringLiteral("ImagePlay_0")));
}

void Lumo::PicPosBack_MouseDown(Qt::MouseButton button, int x)
{
    if (button != Qt::LeftButton || !MediumOpenFlag || StillPictureFlag || !engine_)
        return;
    MoveKnob(x + KnobStart);
    const int length = TrackLength();
    if (length > 0)
        engine_->SetCurrentPosition(RoundTo2(engine_->Duration().value_or(0.0)) * x / length);
    engine_->Pause();
}

void Lumo::PicPosBack_MouseUp(Qt::MouseButton button)
{
    if (button != Qt::LeftButton || !MediumOpenFlag || StillPictureFlag || !engine_)
        return;
    engine_->Run();
    Timer->start();
    CT = 1;
    PicPlay->SetPicture(Image(QStringLiteral("ImagePlay_0")));
}

void Lumo::PicSpeed_MouseDown(Qt::MouseButton button, int x, int y)
{
    if (button != Qt::LeftButton || StillPictureFlag)
        return;
    if (x > 0 && x < 150 && y > 180)
        SetSpeed(0);
    else if (x > 255 && x < 405 && y > 45 && y < 195)
        SetSpeed(1);
    else if (x > 495 && x < 645 && y > 180)
        SetSpeed(2);
}

void Lumo::SetSpeed(int index)
{
    static constexpr double Rates[] = {0.5, 1.0, 2.0};
    const QImage picture = Image(QStringLiteral("ImageSpeed_%1").arg(index));
    const bool ok = engine_ && index >= 0 && index <= 2 && engine_->SetRate(Rates[index]);
    if (ok) {
        PicSpeed->SetPicture(picture);
        speedIndex_ = index;
        return;
    }
    PicSpeed->SetPicture(Image(QStringLiteral("ImageSpeed_1")));
    if (env_.stopMessage)
        env_.stopMessage(tr("このファイルは再生速度を変更できません。\n") +
                             FileNameOf(PlayList.At(PlayIndex)),
                         QStringLiteral("Lumo \"sorvane\""));
}

void Lumo::StopAtStart()
{
    if (engine_) {
        engine_->SetCurrentPosition(0);
        ProcessPendingEvents();
    }
    MoveKnob(KnobStart);
    if (engine_)
        engine_->Stop();
    CT = 0;
    LabelTime->setText(QStringLiteral("00:00"));
}

void Lumo::EndOfMedium()
{
    if (opening_)
        return;
    SelectListRow(PlayIndex);
    switch (PlayMode) {
    case 0:
        StopAtStart();
        break;
    case 1:
        if (PlayIndex + 1 == ListFile->count()) {
            StopAtStart();
        } else {
            ++PlayIndex;
            SelectListRow(PlayIndex);
            OpenCurrent();
        }
        break;
    case 2:
        RandomPick();
        OpenCurrent();
        break;
    case 3:
        if (engine_) {
            engine_->SetCurrentPosition(0);
            engine_->Run();
        }
        CT = 1;
        Timer->start();
        break;
    case 4:
        PlayIndex =
            static_cast<std::int16_t>(PlayIndex + 1 >= ListFile->count() ? 0 : PlayIndex + 1);
        SelectListRow(PlayIndex);
        OpenCurrent();
        break;
    default:
        OpenCurrent();
        break;
    }
}

void Lumo::Timer_Timer()
{
    if (opening_ || !MediumOpenFlag || !engine_)
        return;
    if (CT == 1)
        PrepareJoin();
    PollAnalysisProbe();
    UpdateWaveformBar();
    const double t = RoundTo2(duration_);
    const double q = engine_->CurrentPosition().value_or(0.0);
    const double p = RoundTo2(q);
    if (t > 0 && !knobHeld_)
        MoveKnob(static_cast<std::int16_t>(RoundHalfEven(KnobStart + p / t * TrackLength())));
    if (isMinimized())
        return;
    if (CT == 2) {
        if (!PauseFlag)
            return;
        PauseFlag = false;
    }
    if (VsaReadyFlag)
        DrawAnalyzerFrame(static_cast<float>(q));
    // The text changes once a second; it is formatted only then, and the label repaints only
    // when its text differs.
    const auto whole = static_cast<std::int64_t>(RoundHalfEven(p));
    if (whole != shownSecond_ || timeText_.isEmpty()) {
        timeText_ = TimeText(p);
        shownSecond_ = whole;
    }
    LabelTime->setText(timeText_);
    // A joined file follows without an end: the engine reports when it is heard.
    if (p == t && !engine_->JoinPending()) {
        RememberFullScreen();
        CT = 0;
        Timer->stop();
        EndOfMedium();
    }
}
