// The main window's life: creation with its start-up sequence, the shutdown sequence, and
// the plumbing that routes control events to their handlers.
#include "window/lumo.h"

#include "base/artwork.h"
#include "base/widget_texts.h"
#include "base/window_fonts.h"
#include "window/info.h"
#include "window/panel.h"
#include "window/picture_box.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDropEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTimer>
#include <QUrl>

static void InitLumoResources()
{
    Q_INIT_RESOURCE(resources);
}

Lumo::Lumo(Environment environment, QWidget *parent)
    : QWidget(parent), env_(std::move(environment)), fft_(env_.fftDirectory)
{
    InitLumoResources();
    WindowFonts::InstallSubstitutions();
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint);
    CreateControls();
    CreateMenus();
    ConnectControls();
    FormLoad();
    WidgetTexts::FitAll(this);
}

// The information dialog and the panel are children that look back at the window; they go
// while it is still whole.
Lumo::~Lumo()
{
    delete info_.data();
    delete panel_.data();
}

void Lumo::ConnectControls()
{
    connect(Timer, &QTimer::timeout, this, &Lumo::Timer_Timer);
    connect(PicPlay, &PictureBox::MouseDown, this,
            [this](Qt::MouseButton b, int, int) { PicPlay_MouseDown(b); });
    connect(PicPlay, &PictureBox::MouseUp, this,
            [this](Qt::MouseButton b, int, int) { PicPlay_MouseUp(b); });
    connect(PicStop, &PictureBox::MouseDown, this,
            [this](Qt::MouseButton b, int, int) { PicStop_MouseDown(b); });
    connect(PicStop, &PictureBox::MouseUp, this,
            [this](Qt::MouseButton b, int, int) { PicStop_MouseUp(b); });
    connect(PicBack, &PictureBox::MouseDown, this,
            [this](Qt::MouseButton b, int, int) { PicBack_MouseDown(b); });
    connect(PicBack, &PictureBox::MouseUp, this,
            [this](Qt::MouseButton b, int, int) { PicBack_MouseUp(b); });
    connect(PicStep, &PictureBox::MouseDown, this,
            [this](Qt::MouseButton b, int, int) { PicStep_MouseDown(b); });
    connect(PicStep, &PictureBox::MouseUp, this,
            [this](Qt::MouseButton b, int, int) { PicStep_MouseUp(b); });
    connect(PicPrev, &PictureBox::MouseDown, this,
            [this](Qt::MouseButton b, int, int) { PicPrev_MouseDown(b); });
    connect(PicPrev, &PictureBox::MouseUp, this,
            [this](Qt::MouseButton b, int, int) { PicPrev_MouseUp(b); });
    connect(PicNext, &PictureBox::MouseDown, this,
            [this](Qt::MouseButton b, int, int) { PicNext_MouseDown(b); });
    connect(PicNext, &PictureBox::MouseUp, this,
            [this](Qt::MouseButton b, int, int) { PicNext_MouseUp(b); });
    connect(PicPos, &PictureBox::MouseDown, this,
            [this](Qt::MouseButton b, int x, int) { PicPos_MouseDown(b, x); });
    connect(PicPos, &PictureBox::MouseMove, this,
            [this](Qt::MouseButtons b, int x, int) { PicPos_MouseMove(b, x); });
    connect(PicPos, &PictureBox::MouseUp, this,
            [this](Qt::MouseButton b, int, int) { PicPos_MouseUp(b); });
    connect(PicPosBack, &PictureBox::MouseDown, this,
            [this](Qt::MouseButton b, int x, int) { PicPosBack_MouseDown(b, x); });
    connect(PicPosBack, &PictureBox::MouseUp, this,
            [this](Qt::MouseButton b, int, int) { PicPosBack_MouseUp(b); });
    connect(PicSpeed, &PictureBox::MouseDown, this,
            [this](Qt::MouseButton b, int x, int y) { PicSpeed_MouseDown(b, x, y); });
    connect(PicSize, &PictureBox::Clicked, this, &Lumo::PicSize_Click);
    connect(PicRsl, &PictureBox::Clicked, this, &Lumo::PicRsl_Click);
    connect(PicFull, &PictureBox::Clicked, this, &Lumo::EnterFullScreen);
    connect(PicPM, &PictureBox::Clicked, this, [this] { PUP->popup(QCursor::pos()); });
    connect(PicVsa, &PictureBox::Clicked, this, [this] { PUVSA->popup(QCursor::pos()); });
    connect(Pic, &PictureBox::MouseDown, this, [this](Qt::MouseButton b, int, int) {
        if (b == Qt::RightButton)
            PUM->popup(QCursor::pos());
    });
    connect(ListFile, &QListWidget::currentRowChanged, this, [this] { ListFile_Click(); });
    connect(ListFile, &QListWidget::itemClicked, this, [this] { ListFile_Click(); });
    connect(ListFile, &QListWidget::itemDoubleClicked, this, [this] { ListFile_DblClick(); });
    connect(PicInfo, &PictureBox::Clicked, this, &Lumo::PicInfo_Click);
    connect(MenuInfo, &QAction::triggered, this, &Lumo::PicInfo_Click);
    connect(MenuVsaPanel, &QAction::triggered, this, &Lumo::MenuVsaPanel_Click);
    connect(Pic, &PictureBox::DevicePixelRatioChanged, this, &Lumo::ScreenRatioChanged);
    InstallKeyPreview();
    InstallVolumeControls();
}

QImage Lumo::Image(const QString &name) const
{
    return Artwork(name, devicePixelRatioF());
}

void Lumo::ScreenRatioChanged()
{
    for (PictureBox *box : findChildren<PictureBox *>()) {
        const QString name = box->Picture().text(QStringLiteral("Name"));
        if (!name.isEmpty())
            box->SetPicture(Image(name));
    }
    if (AudioOnlyFlag)
        PaintAudioPicture();
    waveformShown_ = -1;
    if (CT == 2)
        PauseFlag = true;
}

void Lumo::ProcessPendingEvents()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Start-up: the window's initial state, colours, stored settings and button pictures. The
// instance check and the hand-off follow in SetHandoffText, called by the program's start.
void Lumo::FormLoad()
{
    int p = 320, q = 240;
    SetPictureArea(p, q);

    CT = 0;
    PlayMode = 0;
    TimeRange = 10;
    ZoomFactor = 1.0f;
    FpsFlag = PauseFlag = PanelFlag = false;
    ListHiddenFlag = HistoryAreaFlag = false;
    MediumOpenFlag = StillPictureFlag = AudioOnlyFlag = FullScreenFlag = false;
    VsaActiveFlag = VsaReadyFlag = false;
    TimerIntervals = {250, 40, 10};
    PlayIndex = 0;

    MoveKnob(750);
    ReadSettings();
    FftSizes = {1024, 2048, 4096, 8192, 16384};
    ResetButtonImages();
    PicSpeed->SetPicture(Image(QStringLiteral("ImageSpeed_1")));
}

void Lumo::SetHandoffText(const QString &text)
{
    LDDE2->setText(text);
    LDDE2_Change();
}

// Shutdown: every step runs even when an earlier one fails.
void Lumo::Shutdown()
{
    if (closing_)
        return;
    closing_ = true;
    Timer->stop();
    WriteResumeState();
    ForgetAnalysedFile();
    CloseMedium();
    WriteSettings();
    WriteUserSettings();
    emit Unloading();
}

void Lumo::closeEvent(QCloseEvent *event)
{
    Shutdown();
    event->accept();
    QWidget::closeEvent(event);
}

namespace {

QStringList LocalFiles(const QMimeData *data)
{
    QStringList names;
    if (!data)
        return names;
    for (const QUrl &url : data->urls())
        if (url.isLocalFile())
            names << url.toLocalFile();
    return names;
}

} // namespace

void Lumo::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void Lumo::dropEvent(QDropEvent *event)
{
    DropFiles(LocalFiles(event->mimeData()));
    event->acceptProposedAction();
}

bool Lumo::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto *drag = static_cast<QDragEnterEvent *>(event);
        if (drag->mimeData()->hasUrls()) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (drag->mimeData()->hasUrls()) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        DropFiles(LocalFiles(drop->mimeData()));
        drop->acceptProposedAction();
        return true;
    }
    case QEvent::MouseButtonDblClick:
        if (watched == Text->viewport()) {
            ShowFileListText();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (watched == ListFile || watched == ListFile->viewport()) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                ListFile_DblClick();
                return true;
            }
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
