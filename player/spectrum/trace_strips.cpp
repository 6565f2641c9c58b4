#include "spectrum/trace_strips.h"

#include <algorithm>
#include <limits>

void TraceStrips::Reset(int width)
{
    const auto count = static_cast<std::size_t>(std::max(0, (width + kColumns - 1) / kColumns));
    top_.assign(count, std::numeric_limits<int>::max());
    bottom_.assign(count, std::numeric_limits<int>::min());
}

void TraceStrips::Cover(int x0, int x1, int top, int bottom)
{
    if (x0 > x1)
        std::swap(x0, x1);
    const int last = Count() - 1;
    if (x1 < 0 || last < 0)
        return;
    const int first = std::max(0, x0) / kColumns;
    const int end = std::min(x1 / kColumns, last);
    for (int s = first; s <= end; ++s) {
        const auto i = static_cast<std::size_t>(s);
        top_[i] = std::min(top_[i], top);
        bottom_[i] = std::max(bottom_[i], bottom);
    }
}

QRect TraceStrips::Strip(int s) const
{
    const auto i = static_cast<std::size_t>(s);
    if (s < 0 || s >= Count() || top_[i] > bottom_[i])
        return {};
    return QRect(QPoint(s * kColumns, top_[i]), QPoint(s * kColumns + kColumns - 1, bottom_[i]));
}

void CollectChanged(const TraceStrips &last, const TraceStrips &now, const QRect &clip,
                    std::vector<QRect> &out)
{
    const auto area = [](const QRect &r) { return qint64(r.width()) * r.height(); };
    const int count = std::max(last.Count(), now.Count());
    QRect open;
    qint64 needed = 0; // the area of the strips in `open`
    for (int s = 0; s < count; ++s) {
        const QRect strip = (last.Strip(s) | now.Strip(s)) & clip;
        if (strip.isEmpty())
            continue;
        const QRect joined = open | strip;
        if (area(joined) <= 3 * (needed + area(strip))) {
            open = joined;
            needed += area(strip);
            continue;
        }
        out.push_back(open);
        open = strip;
        needed = area(strip);
    }
    if (!open.isEmpty())
        out.push_back(open);
}
