// The window's keyboard shortcuts: a key preview that sees every key press meant for the
// window or any of its controls, and the handler that maps keys to the window's operations.
#include "window/lumo.h"

#include "analyzer/overlay.h"
#include "display/key_codes.h"
#include "window/picture_box.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include <algorithm>

namespace {

// Hands key presses to the window's handler before the focused control sees them. Keys of
// the window's shortcuts stop there; all others go on to the control.
class KeyPreview : public QObject
{
public:
    explicit KeyPreview(Lumo *window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        if (!BelongsToWindow(static_cast<QWidget *>(watched)) || !window_->isEnabled())
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        return window_->Form_KeyDown(VirtualKey::FromQtKey(key->key(), key->modifiers()),
                                     VirtualKey::ModifierState(key->modifiers()));
    }

private:
    // The window itself, its controls, and a control of it shown as a window of its own (the
    // video in full screen); not its menus or dialogs.
    bool BelongsToWindow(const QWidget *widget) const
    {
        const QWidget *top = widget->window();
        if (top == window_)
            return true;
        if (top->windowType() != Qt::Window)
            return false;
        for (const QWidget *w = top->parentWidget(); w; w = w->parentWidget())
            if (w == window_)
                return true;
        return false;
    }

    Lumo *window_;
};

} // namespace

void Lumo::InstallKeyPreview()
{
    qApp->installEventFilter(new KeyPreview(this));
}

// Two tables one after the other: the plain keys whatever the modifiers, then the Ctrl keys
// when Ctrl alone is held. Buttons are pressed through their own handlers.
bool Lumo::Form_KeyDown(std::uint16_t keyCode, std::uint16_t shift)
{
    bool known = true;
    switch (keyCode) {
    case VirtualKey::Space:
        PicPlay_MouseDown(Qt::LeftButton);
        PicPlay_MouseUp(Qt::LeftButton);
        break;
    case VirtualKey::F1:
        MenuFileOpen_Click();
        break;
    case VirtualKey::F2:
        PUM->popup(QCursor::pos());
        break;
    case VirtualKey::F3:
        PUP->popup(QCursor::pos());
        break;
    case VirtualKey::F4:
        RememberFullScreen();
        if (!FullScreenFlag)
            PicSize_Click();
        break;
    case VirtualKey::F5:
        RememberFullScreen();
        if (!FullScreenFlag)
            PicRsl_Click();
        break;
    case VirtualKey::F6:
        MenuVsaPanel->trigger();
        break;
    case VirtualKey::F8:
        RememberFullScreen();
        if (!FullScreenFlag)
            ToggleHistoryArea();
        break;
    case VirtualKey::F9:
        RememberFullScreen();
        if (!FullScreenFlag)
            CentreWindow();
        break;
    case VirtualKey::F10:
        EnterFullScreen();
        break;
    case VirtualKey::F11:
        ToggleFps();
        break;
    case VirtualKey::F12:
        if (VsaReadyFlag)
            FitToScreen();
        if (CT == 2)
            PauseFlag = true;
        break;
    case VirtualKey::Escape:
        LeaveFullScreen();
        break;
    case VirtualKey::OemPlus:
    case VirtualKey::Add:
        StepVolume(1);
        break;
    case VirtualKey::OemMinus:
    case VirtualKey::Subtract:
        StepVolume(-1);
        break;
    case VirtualKey::D0:
        SetMuted(!Volume.muted);
        break;
    default:
        known = false;
        break;
    }

    // The analyzer's own keys, unmodified only.
    if (shift == 0 && !known) {
        known = true;
        switch (keyCode) {
        case VirtualKey::R:
            ResetLoudness();
            break;
        case VirtualKey::F:
            ToggleFreeze();
            break;
        case VirtualKey::P:
            SaveAnalyzerPicture();
            break;
        default:
            known = false;
            break;
        }
    }

    if (shift != VirtualKey::CtrlMask)
        return known;
    switch (keyCode) {
    case VirtualKey::S:
        PicStop_MouseUp(Qt::LeftButton);
        break;
    case VirtualKey::Up:
        PicPrev_MouseUp(Qt::LeftButton);
        break;
    case VirtualKey::Left:
        PicBack_MouseUp(Qt::LeftButton);
        break;
    case VirtualKey::Right:
        PicStep_MouseUp(Qt::LeftButton);
        break;
    case VirtualKey::Down:
        PicNext_MouseUp(Qt::LeftButton);
        break;
    case VirtualKey::M:
        PUP->popup(QCursor::pos());
        break;
    case VirtualKey::I:
        PicInfo_Click();
        break;
    case VirtualKey::L:
        MenuSaveList_Click();
        break;
    default:
        return known;
    }
    return true;
}

// Inverts the frame-rate overlay and blanks its corner of the picture area (640 × 240 twips
// at the top right); the open settings panel is told so it can tick its check box.
void Lumo::ToggleFps()
{
    FpsFlag = !FpsFlag;
    BlankFrameRateCorner(Pic->Canvas());
    Pic->update();
    if (PanelFlag)
        emit FpsFlagChanged(FpsFlag);
}
