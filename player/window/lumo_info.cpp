// Opening the media information dialog from the main window.
#include "window/lumo.h"

#include "window/info.h"

void Lumo::PicInfo_Click()
{
    if (info_)
        info_->close();
    info_ = new Info(*this);
    connect(this, &Lumo::Unloading, info_, &QWidget::close);
    info_->show();
}

Info *Lumo::InfoWindow() const
{
    return info_;
}
