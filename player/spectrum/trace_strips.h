#pragma once

#include <QRect>

#include <vector>

// The rows a trace covered, kept per strip of kColumns pixel columns: a frame restores and
// repaints only these instead of every row between the trace's highest and lowest point.
class TraceStrips
{
public:
    static constexpr int kColumns = 16;

    // Empty strips for a picture `width` columns wide.
    void Reset(int width);
    // Columns x0 … x1 (either order, both included) covered rows top … bottom.
    void Cover(int x0, int x1, int top, int bottom);

    int Count() const { return static_cast<int>(top_.size()); }
    // The rows strip s covered, top above bottom when it covered nothing.
    int Top(int s) const { return top_[static_cast<std::size_t>(s)]; }
    int Bottom(int s) const { return bottom_[static_cast<std::size_t>(s)]; }
    // The rectangle strip s covered; empty when it covered nothing.
    QRect Strip(int s) const;

private:
    std::vector<int> top_, bottom_;
};

// Appends to `out` the rectangles to repaint for one trace: strip by strip, what `last` and `now`
// covered, inside `clip`. Neighbouring strips share a rectangle while it stays within three times
// their own area, so the window system gets a few rectangles and not many untouched pixels.
void CollectChanged(const TraceStrips &last, const TraceStrips &now, const QRect &clip,
                    std::vector<QRect> &out);
