// The settings panel: its controls, loading from the main window, pointer and click
// behaviour over the mode pictures, and the change actions that write the main window back.
#include "window/panel.h"

#include "analyzer/analyzer_modes.h"
#include "analyzer/overlay.h"
#include "analyzer/panel_choices.h"
#include "analyzer/panel_geometry.h"
#include "base/artwork.h"
#include "base/palette.h"
#include "base/twips.h"
#include "base/widget_texts.h"
#include "base/window_fonts.h"
#include "core/user_settings.h"
#include "window/lumo.h"
#include "window/picture_box.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

QRect Px(const QRect &twips)
{
    return QRect(TwipsToPixelDown(twips.left()), TwipsToPixelDown(twips.top()),
                 TwipsToPixelDown(twips.width()), TwipsToPixelDown(twips.height()));
}

QLine Px(const QLine &twips)
{
    return QLine(TwipsToPixelDown(twips.x1()), TwipsToPixelDown(twips.y1()),
                 TwipsToPixelDown(twips.x2()), TwipsToPixelDown(twips.y2()));
}

QImage ModeImage(int store, int mode, double ratio)
{
    return Artwork(QStringLiteral("Image%1_%2").arg(store).arg(mode), ratio);
}

// A mode picture as shown when the mode cannot be chosen: grey and faded.
QImage Dimmed(const QImage &picture)
{
    QImage grey =
        picture.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
    grey.setDevicePixelRatio(picture.devicePixelRatio());
    QPainter painter(&grey);
    painter.fillRect(grey.rect(), QColor(255, 255, 255, 140));
    return grey;
}

QLabel *Caption(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setFont(WindowFonts::PGothic(9, true));
    label->setGeometry(geometry);
    return label;
}

QComboBox *DropDownList(QWidget *parent, const QStringList &entries, const QRect &geometry)
{
    auto *combo = new QComboBox(parent);
    combo->setFont(WindowFonts::PGothic(9));
    combo->addItems(entries);
    // Like a freshly loaded list: nothing selected until the panel selects the member's value.
    combo->setCurrentIndex(-1);
    combo->setGeometry(geometry);
    return combo;
}

QCheckBox *CheckBox(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *check = new QCheckBox(text, parent);
    check->setFont(WindowFonts::PGothic(9));
    check->setGeometry(geometry);
    return check;
}

} // namespace

Panel::Panel(Lumo &owner)
    : QWidget(&owner, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      owner_(owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("VSA設定パネル"));
    setAutoFillBackground(true);
    setMouseTracking(true);
    CreateControls();
    CreateCaptions();
    WidgetTexts::FitAll(this);
    ConnectControls();
    Form_Load();
}

Panel::~Panel() = default;

void Panel::CreateControls()
{
    LabelVsa = new QLabel(this);
    LabelVsa->setFont(WindowFonts::PGothic(12, true));
    LabelVsa->setAlignment(Qt::AlignCenter);
    LabelVsa->setGeometry(Px(QRect(120, 120, 5040, 390)));
    LabelVsa->setMouseTracking(true);
    LabelVsa->installEventFilter(this);

    for (int mode = 0; mode < AnalyzerModes::kCount; ++mode) {
        const auto i = static_cast<std::size_t>(mode);
        Image1[i] = ModeImage(1, mode, devicePixelRatioF());
        Image2[i] = ModeImage(2, mode, devicePixelRatioF());
        auto *picture = new PictureBox(this);
        picture->setGeometry(Px(PanelGeometry::ModePicture(mode)));
        picture->setMouseTracking(true);
        picture->installEventFilter(this);
        if (!ModeAvailable(mode)) {
            Image2[i] = Dimmed(Image2[i]);
            picture->setEnabled(false);
        }
        PicVsa[i] = picture;
    }

    TimerSelected = new QTimer(this);
    TimerSelected->setInterval(1000);

    const QStringList channels{QStringLiteral("L"), QStringLiteral("R"), QStringLiteral("DUAL")};
    const std::array<QRect, 3> channelPlaces{QRect(17, 108, 34, 20), QRect(53, 108, 34, 20),
                                             QRect(89, 108, 56, 20)};
    for (std::size_t i = 0; i < OptCh.size(); ++i) {
        OptCh[i] = new QRadioButton(channels.at(static_cast<int>(i)), this);
        OptCh[i]->setFont(WindowFonts::PGothic(9));
        OptCh[i]->setGeometry(channelPlaces[i]);
        OptCh[i]->setAutoExclusive(true);
    }

    ComboTime = DropDownList(this, PanelChoices::TimeEntries(), QRect(161, 107, 72, 22));
    ComboNormal = DropDownList(this, PanelChoices::FftSizeEntries(), QRect(54, 163, 90, 22));
    ComboFast = DropDownList(this, PanelChoices::FftSizeEntries(), QRect(54, 189, 90, 22));
    ComboWindow = DropDownList(this, PanelChoices::WindowEntries(), QRect(161, 163, 183, 22));

    Check1 = CheckBox(this, tr("高速表示"), QRect(250, 91, 92, 20));
    Check2 = CheckBox(this, tr("FPS表示"), QRect(250, 113, 92, 20));
    Check3 = CheckBox(this, tr("波形拡大"), QRect(161, 191, 120, 20));
    QStringList peaks{tr("ピーク なし")};
    for (const int fall : PanelChoices::PeakFalls())
        if (fall > 0)
            peaks << tr("ピーク %1dB/s").arg(fall);
    ComboPeak = DropDownList(this, peaks, QRect(148, 218, 98, 21));
    ComboPeak->setToolTip(tr("スペクトラムアナライザAのピークホールド"));

    SpinDelay = new QSpinBox(this);
    SpinDelay->setFont(WindowFonts::PGothic(9));
    SpinDelay->setRange(0, UserSettings::kMaxDelayMs);
    SpinDelay->setSingleStep(UserSettings::kDelayStepMs);
    SpinDelay->setSuffix(QStringLiteral(" ms"));
    SpinDelay->setGeometry(QRect(80, 218, 64, 20));
    LabelLatency = new QLabel(this);
    LabelLatency->setFont(WindowFonts::PGothic(9));
    // In the free corner above the mode pictures: the bottom row holds the delay itself.
    LabelLatency->setGeometry(QRect(246, 6, 98, 14));
    LabelLatency->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelLatency->setToolTip(
        tr("音声出力の遅れ。解析の表示はこれに合わせてあり、表示遅延はさらに加わります。"));
    TimerLatency = new QTimer(this);
    TimerLatency->setInterval(500);
    CheckWaveform = CheckBox(this, tr("波形バー"), QRect(250, 219, 92, 20));
}

// Group captions of the design; they carry no state.
void Panel::CreateCaptions()
{
    Caption(this, tr("チャンネル"), QRect(17, 89, 128, 16));
    Caption(this, tr("時間幅"), QRect(161, 89, 72, 16));
    Caption(this, tr("FFTサイズ"), QRect(17, 143, 128, 16));
    Caption(this, tr("窓関数"), QRect(161, 143, 120, 16));
    auto *normal = Caption(this, tr("通常"), QRect(17, 163, 34, 22));
    auto *fast = Caption(this, tr("高速"), QRect(17, 189, 34, 22));
    Caption(this, tr("表示遅延"), QRect(17, 220, 62, 16));
    normal->setFont(WindowFonts::PGothic(9));
    fast->setFont(WindowFonts::PGothic(9));
}

void Panel::ConnectControls()
{
    for (int mode = 0; mode < AnalyzerModes::kCount; ++mode) {
        PictureBox *picture = PicVsa[static_cast<std::size_t>(mode)];
        connect(picture, &PictureBox::MouseMove, this,
                [this, mode](Qt::MouseButtons, int, int) { PicVsa_MouseMove(mode); });
        connect(picture, &PictureBox::Clicked, this, [this, mode] { PicVsa_Click(mode); });
    }
    connect(TimerSelected, &QTimer::timeout, this, &Panel::TimerSelected_Timer);
    for (int i = 0; i < 3; ++i)
        connect(OptCh[static_cast<std::size_t>(i)], &QRadioButton::toggled, this,
                [this, i](bool on) {
                    if (on)
                        OptCh_Click(i);
                });
    auto onSelect = [this](QComboBox *combo, void (Panel::*action)()) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this, action](int index) {
            if (index >= 0)
                (this->*action)();
        });
    };
    onSelect(ComboTime, &Panel::ComboTime_Click);
    onSelect(ComboWindow, &Panel::ComboWindow_Click);
    onSelect(ComboNormal, &Panel::ComboNormal_Click);
    onSelect(ComboFast, &Panel::ComboFast_Click);
    connect(Check1, &QCheckBox::toggled, this, &Panel::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &Panel::Check2_Click);
    connect(Check3, &QCheckBox::toggled, this, &Panel::Check3_Click);
    connect(SpinDelay, &QSpinBox::valueChanged, this, &Panel::SpinDelay_Change);
    connect(TimerLatency, &QTimer::timeout, this, &Panel::ShowOutputLatency);
    connect(CheckWaveform, &QCheckBox::toggled, this, &Panel::CheckWaveform_Click);
    onSelect(ComboPeak, &Panel::ComboPeak_Click);
}

// Every selection and check below runs the control's change action, as a user change would.
void Panel::Form_Load()
{
    hide();
    owner_.PanelFlag = false;
    setFixedSize(TwipsToPixelDown(PanelGeometry::ClientWidth),
                 TwipsToPixelDown(PanelGeometry::ClientHeight));
    LabelVsa->setText(PanelChoices::ModeName(owner_.VSA));

    if (owner_.CH < OptCh.size())
        OptCh[owner_.CH]->setChecked(true);
    ComboTime->setCurrentIndex(PanelChoices::TimeIndexOf(owner_.TimeRange));
    if (owner_.WFT < ComboWindow->count())
        ComboWindow->setCurrentIndex(owner_.WFT);
    if (owner_.NumFftNormal >= 0 && owner_.NumFftNormal < ComboNormal->count())
        ComboNormal->setCurrentIndex(owner_.NumFftNormal);
    if (owner_.NumFftFast >= 0 && owner_.NumFftFast < ComboFast->count())
        ComboFast->setCurrentIndex(owner_.NumFftFast);

    Check1->setChecked(false);
    Check2->setChecked(false);
    Check3->setChecked(false);
    if (owner_.FastFlag)
        Check1->setChecked(true);
    if (owner_.FpsFlag)
        Check2->setChecked(true);
    if (owner_.VsaLargeFlag)
        Check3->setChecked(true);
    SpinDelay->setValue(owner_.AnalyzerDelayMs);
    CheckWaveform->setChecked(owner_.WaveformBarFlag);
    ShowOutputLatency();
    TimerLatency->start();
    ComboPeak->setCurrentIndex(PanelChoices::PeakFallIndexOf(owner_.PeakFall));

    hoverIndex_ = -1;
    Highlight(owner_.VSA);
    SetPanelPosition();
    show();
    // The window frame is known once the panel is shown; a left-hand place depends on it.
    SetPanelPosition();
    owner_.PanelFlag = true;
}

void Panel::SetPanelPosition()
{
    const QScreen *screen = owner_.screen();
    if (!screen)
        return;
    move(PanelGeometry::PanelPosition(screen->geometry(), owner_.frameGeometry(),
                                      frameGeometry().size()));
}

void Panel::ShowLargeArea(bool large)
{
    const QSignalBlocker blocker(Check3);
    Check3->setChecked(large);
}

void Panel::ShowFps(bool on)
{
    const QSignalBlocker blocker(Check2);
    Check2->setChecked(on);
}

void Panel::Highlight(int mode)
{
    if (mode == hoverIndex_)
        return;
    for (std::size_t i = 0; i < PicVsa.size(); ++i)
        PicVsa[i]->SetPicture(Image2[i]);
    if (mode >= 0 && mode < static_cast<int>(PicVsa.size()))
        PicVsa[static_cast<std::size_t>(mode)]->SetPicture(Image1[static_cast<std::size_t>(mode)]);
    hoverIndex_ = static_cast<std::int16_t>(mode);
}

void Panel::PicVsa_MouseMove(int index)
{
    if (!ModeAvailable(index))
        return;
    if (index != owner_.VSA) {
        RestoreLabelColour();
        TimerSelected->stop();
    }
    LabelVsa->setText(PanelChoices::ModeName(index));
    Highlight(index);
}

void Panel::PicVsa_Click(int index)
{
    if (closing_ || !ModeAvailable(index))
        return;
    owner_.ChangeVsa(index);
    SetLabelColour(Palette::ChosenModeText);
    TimerSelected->start();
}

void Panel::PicVsa_DblClick(int index)
{
    if (closing_ || !ModeAvailable(index))
        return;
    PicVsa_Click(index);
    close();
}

void Panel::Form_MouseMove(int, int y)
{
    if (PanelGeometry::InModeStrip(y))
        return;
    LabelVsa_MouseMove();
}

void Panel::LabelVsa_MouseMove()
{
    RestoreLabelColour();
    TimerSelected->stop();
    LabelVsa->setText(PanelChoices::ModeName(owner_.VSA));
    Highlight(owner_.VSA);
}

void Panel::TimerSelected_Timer()
{
    RestoreLabelColour();
    TimerSelected->stop();
}

void Panel::OptCh_Click(int index)
{
    owner_.CH = static_cast<std::uint8_t>(index);
    RedrawIfPaused();
}

void Panel::ComboTime_Click()
{
    owner_.TimeRange =
        static_cast<std::uint8_t>(PanelChoices::TimeRangeAt(ComboTime->currentIndex()));
    RedrawIfPaused();
}

void Panel::ComboWindow_Click()
{
    owner_.WFT = static_cast<std::uint8_t>(ComboWindow->currentIndex());
    RedrawIfPaused();
}

void Panel::ComboNormal_Click()
{
    owner_.NumFftNormal = static_cast<std::int16_t>(ComboNormal->currentIndex());
}

void Panel::ComboFast_Click()
{
    owner_.NumFftFast = static_cast<std::int16_t>(ComboFast->currentIndex());
}

void Panel::Check1_Click()
{
    owner_.FastFlag = Check1->isChecked();
    owner_.ChangeVsaFast();
}

// Clearing the overlay switch blanks the overlay's corner of the picture area at once: 640 ×
// 240 twips at the top right.
void Panel::Check2_Click()
{
    owner_.FpsFlag = Check2->isChecked();
    if (owner_.FpsFlag)
        return;
    BlankFrameRateCorner(owner_.Pic->Canvas());
    owner_.Pic->update();
}

// The large area applies to modes 1 to 3 only. While such a mode is being analysed the size
// button does the switch (it toggles the flag itself, so the flag is turned back first);
// otherwise the flag alone changes and takes effect when the analyzer next sizes its area.
void Panel::Check3_Click()
{
    owner_.VsaLargeFlag = Check3->isChecked();
    const bool analyzerSized = owner_.MediumOpenFlag && owner_.VsaReadyFlag &&
                               owner_.VsaActiveFlag && AnalyzerModes::LargeAreaAllowed(owner_.VSA);
    if (!analyzerSized)
        return;
    owner_.VsaLargeFlag = !owner_.VsaLargeFlag;
    owner_.PicRsl_Click();
}

// A value typed between the steps is taken to the nearest step.
// The latency the sound engine measures at its output; empty while nothing plays through one.
void Panel::ShowOutputLatency()
{
    const MediaEngine *engine = owner_.Engine();
    const std::optional<double> latency = engine ? engine->OutputLatency() : std::nullopt;
    LabelLatency->setText(latency ? tr("出力 %1 ms").arg(std::lround(*latency * 1000.0))
                                  : QString());
}

void Panel::SpinDelay_Change()
{
    const int delay = ClampAnalyzerDelay(SpinDelay->value());
    if (delay != SpinDelay->value()) {
        SpinDelay->setValue(delay);
        return;
    }
    owner_.AnalyzerDelayMs = static_cast<std::int16_t>(delay);
    if (owner_.CT == 2)
        owner_.PauseFlag = true;
}

void Panel::CheckWaveform_Click()
{
    owner_.SetWaveformBar(CheckWaveform->isChecked());
}

void Panel::ComboPeak_Click()
{
    owner_.PeakFall =
        static_cast<std::int16_t>(PanelChoices::PeakFalls().value(ComboPeak->currentIndex(), 0));
    if (owner_.CT == 2)
        owner_.PauseFlag = true;
}

void Panel::RestoreLabelColour()
{
    SetLabelColour(palette().color(QPalette::ButtonText));
}

void Panel::SetLabelColour(const QColor &colour)
{
    QPalette palette = LabelVsa->palette();
    palette.setColor(QPalette::WindowText, colour);
    LabelVsa->setPalette(palette);
}

void Panel::RedrawIfPaused()
{
    if (owner_.CT == 2)
        owner_.PauseFlag = true;
}

bool Panel::ModeAvailable(int mode) const
{
    if (mode < 0 || mode >= AnalyzerModes::kCount)
        return false;
    return owner_.FftAvailable || !AnalyzerModes::NeedsFft(mode);
}

void Panel::closeEvent(QCloseEvent *event)
{
    closing_ = true;
    TimerSelected->stop();
    owner_.PanelFlag = false;
    event->accept();
}

// Etched separators between the groups of controls.
void Panel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (const PanelGeometry::Separator &separator : PanelGeometry::Separators()) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(Px(separator.dark));
        painter.setPen(palette().color(QPalette::Base));
        painter.drawLine(Px(separator.light));
    }
}

void Panel::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint() * TwipsPerPixel;
    Form_MouseMove(at.x(), at.y());
}

bool Panel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == LabelVsa && event->type() == QEvent::MouseMove) {
        LabelVsa_MouseMove();
        return false;
    }
    const auto picture = std::find(PicVsa.begin(), PicVsa.end(), watched);
    if (picture == PicVsa.end())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            PicVsa_DblClick(static_cast<int>(picture - PicVsa.begin()));
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        // A double click closes the panel; the release that follows must not act again.
        return closing_;
    default:
        return QWidget::eventFilter(watched, event);
    }
}
