// Moving to any second of the playing medium, for callers outside the window's own controls.
#include "window/lumo.h"

#include "base/rounding.h"

#include <QTimer>

#include <algorithm>

bool Lumo::SeekTo(double seconds)
{
    if (!MediumOpenFlag || StillPictureFlag || !engine_ || opening_)
        return false;
    const double t = RoundTo2(duration_);
    if (seconds >= t) {
        // As a step past the end: the play mode decides what follows.
        if (CT == 0)
            return false;
        engine_->SetCurrentPosition(t);
        Timer->stop();
        EndOfMedium();
        return false;
    }
    const double p = std::max(0.0, seconds);
    engine_->SetCurrentPosition(p);
    if (t > 0)
        MoveKnob(static_cast<std::int16_t>(RoundHalfEven(750 + RoundTo2(p) / t * TrackLength())));
    if (CT == 2)
        PauseFlag = true;
    return true;
}
