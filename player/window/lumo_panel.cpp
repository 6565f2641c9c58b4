// Opening the analyzer settings panel from the main window, and the main window's news the
// open panel follows: a new layout, the size button, F11 and the window's end.
#include "window/lumo.h"

#include "window/panel.h"

void Lumo::MenuVsaPanel_Click()
{
    // A closed panel may still await its deletion; it is not reused.
    if (!panel_ || !PanelFlag) {
        panel_ = new Panel(*this);
        connect(this, &Lumo::Unloading, panel_, &QWidget::close);
        connect(this, &Lumo::PanelPositionRequested, panel_, &Panel::SetPanelPosition);
        connect(this, &Lumo::LargeAreaChanged, panel_, &Panel::ShowLargeArea);
        connect(this, &Lumo::FpsFlagChanged, panel_, &Panel::ShowFps);
    }
    panel_->show();
    panel_->raise();
}

Panel *Lumo::PanelWindow() const
{
    return panel_;
}
