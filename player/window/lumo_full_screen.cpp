// Full screen of the video window.
#include "window/lumo.h"

void Lumo::EnterFullScreen()
{
    if (CT == 0 || !engine_)
        return;
    engine_->SetFullScreenMode(true);
}

void Lumo::LeaveFullScreen()
{
    if (!MediumOpenFlag || !engine_)
        return;
    if (engine_->FullScreenMode().value_or(false))
        engine_->SetFullScreenMode(false);
}
