// The picture of the loudness meter.
#include "analyzer/loudness_meter.h"

#include <QFont>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kScaleLow = -60.0; // dBFS at the left end of the bars
const QColor kGrey(127, 127, 127);
const QColor kDim(40, 40, 40);
const QColor kText(210, 210, 210);

// Bar and scale geometry for a picture width.
struct Scale
{
    int left = 28;
    int right = 0;
    int X(double db) const
    {
        const double t = std::clamp((db - kScaleLow) / -kScaleLow, 0.0, 1.0);
        return left + static_cast<int>(std::lround(t * (right - left)));
    }
};

QColor SegmentColour(double db)
{
    if (db >= -6.0)
        return QColor(240, 64, 48);
    if (db >= -18.0)
        return QColor(236, 200, 40);
    return QColor(56, 208, 96);
}

// A bar of lit segments (3 pixels with a gap of 1) up to the level, dim segments beyond.
void DrawPeakBar(QPainter &painter, const Scale &scale, int top, int height, double db,
                 double holdDb)
{
    const int lit = scale.X(db);
    for (int x = scale.left; x < scale.right; x += 4) {
        const double segmentDb =
            kScaleLow + (x - scale.left) * -kScaleLow / (scale.right - scale.left);
        const QColor colour = x < lit ? SegmentColour(segmentDb) : kDim;
        painter.fillRect(x, top, 3, height, colour);
    }
    if (holdDb > kScaleLow) {
        const int x = std::min(scale.X(holdDb), scale.right - 2);
        painter.fillRect(x, top - 1, 2, height + 2, Qt::white);
    }
}

void DrawRmsBar(QPainter &painter, const Scale &scale, int top, int height, double db)
{
    painter.fillRect(scale.left, top, scale.right - scale.left, height, QColor(18, 24, 34));
    const int x = scale.X(db);
    if (x > scale.left)
        painter.fillRect(scale.left, top, x - scale.left, height, QColor(64, 160, 236));
}

void DrawClipLight(QPainter &painter, int x, int top, int height, bool lit)
{
    painter.fillRect(x, top, 22, height, lit ? QColor(255, 40, 32) : QColor(70, 12, 10));
}

QString Reading(const std::optional<double> &value)
{
    return value ? QString::number(*value, 'f', 1) : QStringLiteral("--.-");
}

} // namespace

void DrawLoudnessFrame(QPainter &painter, const LoudnessState &state, int width, int height,
                       double nowMs)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(0, 0, width, height), Qt::black);
    const QFont base = painter.font();
    QFont small = base;
    small.setPixelSize(10);
    painter.setFont(small);
    const QFontMetrics sm(small);

    Scale scale;
    scale.right = width - 40;
    const int channels = std::max(state.Channels(), 1);
    const char *const names[2] = {channels == 1 ? "M" : "L", "R"};
    int y = 14;
    painter.setPen(kGrey);
    painter.drawText(scale.left, y - 3, QStringLiteral("PEAK / RMS  dBFS"));
    painter.drawText(width - 38, y - 3, QStringLiteral("CLIP"));
    for (int c = 0; c < channels; ++c) {
        painter.setPen(kText);
        painter.drawText(8, y + 14, QString::fromLatin1(names[c]));
        DrawPeakBar(painter, scale, y + 2, 14, state.PeakDb(c), state.HoldDb(c));
        DrawRmsBar(painter, scale, y + 19, 7, state.RmsDb(c));
        DrawClipLight(painter, width - 34, y + 2, 24, state.ClipLit(c, nowMs));
        y += 34;
    }
    // The dBFS scale under the bars.
    painter.setPen(kGrey);
    for (const int db : {-60, -50, -40, -30, -20, -12, -6, -3, 0}) {
        const int x = scale.X(db);
        painter.drawLine(x, y, x, y + 3);
        const QString label = QString::number(db);
        const int w = sm.horizontalAdvance(label);
        painter.drawText(std::clamp(x - w / 2, 0, width - w), y + 4 + sm.ascent(), label);
    }

    // The loudness readings in four columns.
    const int boxTop = std::max(y + 26, height - 96);
    painter.setPen(QColor(60, 60, 60));
    painter.drawLine(8, boxTop - 8, width - 9, boxTop - 8);
    struct Column
    {
        const char *title;
        std::optional<double> value;
        const char *unit;
    };
    const Column columns[4] = {{"MOMENTARY", state.Momentary(), "LUFS"},
                               {"SHORT-TERM", state.ShortTerm(), "LUFS"},
                               {"INTEGRATED", state.Integrated(), "LUFS"},
                               {"RANGE", state.Range(), "LU"}};
    QFont big = base;
    big.setPixelSize(std::clamp(height / 9, 16, 40));
    big.setBold(true);
    const QFontMetrics bm(big);
    const int columnWidth = width / 4;
    for (int i = 0; i < 4; ++i) {
        const int x = i * columnWidth;
        painter.setFont(small);
        painter.setPen(kGrey);
        painter.drawText(QRect(x, boxTop, columnWidth, sm.height()), Qt::AlignHCenter,
                         QString::fromLatin1(columns[i].title));
        painter.setFont(big);
        painter.setPen(i == 2 ? QColor(255, 214, 120) : kText);
        painter.drawText(QRect(x, boxTop + sm.height() + 6, columnWidth, bm.height()),
                         Qt::AlignHCenter, Reading(columns[i].value));
        painter.setFont(small);
        painter.setPen(kGrey);
        painter.drawText(
            QRect(x, boxTop + sm.height() + 10 + bm.height(), columnWidth, sm.height()),
            Qt::AlignHCenter, QString::fromLatin1(columns[i].unit));
    }
    painter.setFont(base);
}
