#include "base/analysis_window.h"

std::size_t AnalysisWindow::FrameCount() const
{
    switch (sampleKind) {
    case 1:
        return stereo16.size();
    case 2:
        return mono16.size();
    case 3:
        return stereo8.size();
    case 4:
        return mono8.size();
    default:
        return 0;
    }
}
