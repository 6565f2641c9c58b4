// Resuming where the user left off: the play list, its entry and the position are stored at
// shutdown and brought back, paused, by a start without files.
#include "window/lumo.h"

#include "core/resume_state.h"

#include <QAction>

void Lumo::WriteResumeState() const
{
    if (!ResumeFlag)
        return;
    ResumeState state;
    for (int i = 0; i < ::PlayList::Capacity && !PlayList.At(i).isEmpty(); ++i)
        state.entries << PlayList.At(i);
    state.index = PlayIndex;
    if (MediumOpenFlag && !StillPictureFlag && engine_)
        state.position = engine_->CurrentPosition().value_or(0.0);
    ::WriteResumeState(env_.userSettingsPath, state);
}

void Lumo::ResumeLastSession()
{
    if (!ResumeFlag || !PlayList.At(0).isEmpty())
        return;
    const ResumeState state = ReadResumeState(env_.userSettingsPath);
    if (state.entries.isEmpty())
        return;
    AppendEntries(state.entries);
    PlayIndex = static_cast<std::int16_t>(state.index);
    if (!OpenCurrent() || StillPictureFlag)
        return;
    if (state.position > 0)
        SeekTo(state.position);
    if (CT == 1)
        PicPlay_MouseUp(Qt::LeftButton);
    // One tick shows the time and the analyzer's picture of the paused position.
    PauseFlag = true;
}
