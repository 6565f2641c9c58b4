// The picture of the loudness meter.
#include "analyzer/loudness_meter.h"

#include <QFont>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kScaleLow = -60.0; // dB at the left end of the channel bars
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

// The peak bar's segments (3 pixels with a gap of 1), all lit and all dark.
void MakeBars(LoudnessPictures &pictures, const Scale &scale, int height)
{
    const int width = scale.right - scale.left;
    if (pictures.lit.width() == width && pictures.lit.height() == height)
        return;
    pictures.lit = QImage(width, height, QImage::Format_RGB32);
    pictures.dim = QImage(width, height, QImage::Format_RGB32);
    pictures.lit.fill(Qt::black);
    pictures.dim.fill(Qt::black);
    QPainter lit(&pictures.lit), dim(&pictures.dim);
    for (int x = 0; x < width; x += 4) {
        const double segmentDb = kScaleLow + x * -kScaleLow / width;
        lit.fillRect(x, 0, 3, height, SegmentColour(segmentDb));
        dim.fillRect(x, 0, 3, height, kDim);
    }
}

// The lit segments up to the level, dark ones beyond, and the hold mark.
void DrawPeakBar(QPainter &painter, const LoudnessPictures &pictures, const Scale &scale, int top,
                 double db, double holdDb)
{
    const int lit = scale.X(db) - scale.left;
    const int height = pictures.lit.height();
    if (lit > 0)
        painter.drawImage(QPoint(scale.left, top), pictures.lit, QRect(0, 0, lit, height));
    painter.drawImage(QPoint(scale.left + lit, top), pictures.dim,
                      QRect(lit, 0, pictures.dim.width() - lit, height));
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

constexpr int kChannelPitch = 34; // rows from one channel's bars to the next

struct Column
{
    const char *title;
    const char *unit;
};
constexpr Column kColumns[4] = {
    {"MOMENTARY", "LUFS"}, {"SHORT-TERM", "LUFS"}, {"INTEGRATED", "LUFS"}, {"RANGE", "LU"}};

// Where the parts of the picture lie for its size, channel count and fonts.
struct Layout
{
    Scale scale;
    int channels = 1;
    int firstBar = 14;   // the first channel's caption baseline; its bars start 2 rows lower
    int scaleTop = 0;    // the dB scale's tick marks
    int loudnessTop = 0; // the loudness bar
    int boxTop = 0;      // the readings' titles
    int readingTop = 0;  // the readings' figures
    int readingHeight = 0;
    int columnWidth = 0;
};

Layout MakeLayout(int width, int height, int channels, const QFont &base, const QFont &big)
{
    QFont small = base;
    small.setPixelSize(10);
    const QFontMetrics sm(small);
    Layout layout;
    layout.scale.right = width - 80;
    layout.channels = channels;
    layout.scaleTop = layout.firstBar + channels * kChannelPitch;
    layout.loudnessTop = layout.scaleTop + 30;
    layout.boxTop = std::max(layout.loudnessTop + 36, height - 96);
    layout.readingTop = layout.boxTop + sm.height() + 6;
    layout.readingHeight = QFontMetrics(big).height();
    layout.columnWidth = width / 4;
    return layout;
}

// The loudness bar's scale: LU about the target, from the low end to the high end of the
// chosen EBU scale, over the same columns as the channel bars.
struct LoudnessScale
{
    int left = 0, right = 0;
    double low = -18.0, high = 9.0;
    int X(double lu) const
    {
        const double t = std::clamp((lu - low) / (high - low), 0.0, 1.0);
        return left + static_cast<int>(std::lround(t * (right - left)));
    }
};

LoudnessScale MakeLoudnessScale(const Layout &layout, const LoudnessDisplay &display)
{
    LoudnessScale scale{layout.scale.left, layout.scale.right, -18.0, 9.0};
    if (display.wideScale) {
        scale.low = -36.0;
        scale.high = 18.0;
    }
    return scale;
}

// A reading as shown: LUFS, or LU against the target with its sign.
QString LoudnessText(const std::optional<double> &lufs, const LoudnessDisplay &display)
{
    if (!lufs)
        return QStringLiteral("--.-");
    if (!display.relative)
        return QString::number(*lufs, 'f', 1);
    // Tenths as shown, so that nothing reads "-0.0".
    const double lu = std::round((*lufs - display.target) * 10.0) / 10.0;
    const QString text = QString::number(lu == 0.0 ? 0.0 : lu, 'f', 1);
    return lu > 0 ? QLatin1Char('+') + text : text;
}

} // namespace

namespace {

// Everything of the picture that stays from frame to frame: the black ground, the captions,
// the dBFS scale and the titles and units of the readings.
void DrawGround(QPainter &painter, LoudnessPictures &pictures, const Layout &layout, int width,
                int height, const LoudnessDisplay &display)
{
    painter.fillRect(QRect(0, 0, width, height), Qt::black);
    const QFont base = painter.font();
    QFont small = base;
    small.setPixelSize(10);
    painter.setFont(small);
    const QFontMetrics sm(small);
    const auto text = [&](int x, int baseline, const QString &t, const QColor &c) {
        (c == kGrey ? pictures.labels : pictures.names)
            .Draw(painter, x, baseline - sm.ascent(), t, c);
    };
    const char *const names[2] = {layout.channels == 1 ? "M" : "L", "R"};
    text(layout.scale.left, layout.firstBar - 3, QStringLiteral("TRUE PEAK dBTP / RMS dBFS"),
         kGrey);
    text(width - 76, layout.firstBar - 3, QStringLiteral("MAX"), kGrey);
    text(width - 38, layout.firstBar - 3, QStringLiteral("CLIP"), kGrey);
    for (int c = 0; c < layout.channels; ++c)
        text(8, layout.firstBar + c * kChannelPitch + 14, QString::fromLatin1(names[c]), kText);
    // The dBFS scale under the bars.
    const int y = layout.scaleTop;
    painter.setPen(kGrey);
    for (const int db : {-60, -50, -40, -30, -20, -12, -6, -3, 0}) {
        const int x = layout.scale.X(db);
        painter.drawLine(x, y, x, y + 3);
        const QString label = QString::number(db);
        const int w = sm.horizontalAdvance(label);
        text(std::clamp(x - w / 2, 0, width - w), y + 4 + sm.ascent(), label, kGrey);
    }
    // The loudness bar's caption and its EBU scale, in LU or in LUFS about the target.
    const LoudnessScale loud = MakeLoudnessScale(layout, display);
    const QString scaleName =
        display.wideScale ? QStringLiteral("EBU +18") : QStringLiteral("EBU +9");
    text(layout.scale.left, layout.loudnessTop - 3,
         QStringLiteral("M / S  %1  %2")
             .arg(scaleName, display.relative ? QStringLiteral("LU") : QStringLiteral("LUFS")),
         kGrey);
    text(width - 76, layout.loudnessTop - 3, QStringLiteral("0 LU = %1").arg(display.target),
         kGrey);
    text(8, layout.loudnessTop + 11, QStringLiteral("M"), kText);
    const int loudTicks = layout.loudnessTop + 14;
    const double step = display.wideScale ? 6.0 : 3.0;
    painter.setPen(kGrey);
    for (double lu = loud.low; lu <= loud.high + 1e-9; lu += step) {
        const int x = loud.X(lu);
        painter.drawLine(x, loudTicks, x, loudTicks + 3);
        const double shown = display.relative ? lu : lu + display.target;
        QString label = QString::number(shown, 'f', 0);
        if (display.relative && lu > 0)
            label.prepend(QLatin1Char('+'));
        const int w = sm.horizontalAdvance(label);
        text(std::clamp(x - w / 2, 0, width - w), loudTicks + 4 + sm.ascent(), label, kGrey);
    }
    painter.setPen(QColor(60, 60, 60));
    painter.drawLine(8, layout.boxTop - 8, width - 9, layout.boxTop - 8);
    for (int i = 0; i < 4; ++i) {
        const int x = i * layout.columnWidth;
        const QString title = QString::fromLatin1(kColumns[i].title);
        text(x + (layout.columnWidth - sm.horizontalAdvance(title)) / 2,
             layout.boxTop + sm.ascent(), title, kGrey);
        const QString unit = i < 3 && display.relative ? QStringLiteral("LU")
                                                       : QString::fromLatin1(kColumns[i].unit);
        text(x + (layout.columnWidth - sm.horizontalAdvance(unit)) / 2,
             layout.readingTop + layout.readingHeight + 4 + sm.ascent(), unit, kGrey);
    }
    painter.setFont(base);
}

} // namespace

void DrawLoudnessFrame(QPainter &painter, const LoudnessState &state, LoudnessPictures &pictures,
                       int width, int height, double nowMs, const LoudnessDisplay &display)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int channels = std::max(state.Channels(), 1);
    QFont big = painter.font();
    big.setPixelSize(std::clamp(height / 9, 16, 40));
    big.setBold(true);
    const Layout layout = MakeLayout(width, height, channels, painter.font(), big);
    MakeBars(pictures, layout.scale, 14);

    const std::array<int, 4> layoutKey{width, height, channels, 0};
    if (pictures.ground.isNull() || pictures.groundKey != layoutKey ||
        pictures.groundFont != painter.font() || !(pictures.groundDisplay == display)) {
        pictures.ground = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
        QPainter canvas(&pictures.ground);
        canvas.setFont(painter.font());
        DrawGround(canvas, pictures, layout, width, height, display);
        pictures.groundKey = layoutKey;
        pictures.groundFont = painter.font();
        pictures.groundDisplay = display;
        pictures.frameKey = 0;
    }
    // A picture that holds this meter's last frame (untouched since, but for a new painter or
    // the same painter going on) gets back only the rows that change; any other gets the
    // whole ground.
    QImage *target = painter.device()->devType() == QInternal::Image
                         ? static_cast<QImage *>(painter.device())
                         : nullptr;
    const qint64 key = target ? target->cacheKey() : 0;
    QFont small = painter.font();
    small.setPixelSize(10);
    const QFontMetrics sm(small);
    const int maxTop = layout.readingTop + layout.readingHeight + 6 + sm.height();
    if (pictures.frameKey != 0 && (key == pictures.frameKey || key == pictures.frameKey + 1)) {
        const QRect bars(0, layout.firstBar, width, layout.scaleTop - layout.firstBar);
        painter.drawImage(bars.topLeft(), pictures.ground, bars);
        const QRect loud(0, layout.loudnessTop, width, 14);
        painter.drawImage(loud.topLeft(), pictures.ground, loud);
        const QRect maxima(0, maxTop, width, sm.height());
        painter.drawImage(maxima.topLeft(), pictures.ground, maxima);
    } else {
        painter.drawImage(0, 0, pictures.ground);
    }

    const QFont base = painter.font();
    painter.setFont(small);
    for (int c = 0; c < channels; ++c) {
        const int y = layout.firstBar + c * kChannelPitch;
        DrawPeakBar(painter, pictures, layout.scale, y + 2, state.TruePeakDb(c),
                    state.MaxTruePeakDb(c));
        DrawRmsBar(painter, layout.scale, y + 19, 7, state.RmsDb(c));
        const double held = state.MaxTruePeakDb(c);
        pictures.values.Draw(painter, width - 76, y + 3,
                             held > LoudnessState::kFloorDb ? QString::number(held, 'f', 1)
                                                            : QStringLiteral("--.-"),
                             kText);
        DrawClipLight(painter, width - 34, y + 2, 24, state.ClipLit(c, nowMs));
    }

    // The momentary loudness as a bar on the EBU scale, green up to the target, amber up to
    // 3 LU above it, red beyond; the short-term loudness as a white mark.
    const LoudnessScale loud = MakeLoudnessScale(layout, display);
    const int barTop = layout.loudnessTop + 1, barHeight = 12;
    painter.fillRect(loud.left, barTop, loud.right - loud.left, barHeight, QColor(18, 24, 34));
    if (const std::optional<double> m = state.Momentary()) {
        const double lu = *m - display.target;
        const int x = loud.X(lu), zero = loud.X(0.0), three = loud.X(3.0);
        painter.fillRect(loud.left, barTop, std::min(x, zero) - loud.left, barHeight,
                         QColor(56, 208, 96));
        if (x > zero)
            painter.fillRect(zero, barTop, std::min(x, three) - zero, barHeight,
                             QColor(236, 200, 40));
        if (x > three)
            painter.fillRect(three, barTop, x - three, barHeight, QColor(240, 64, 48));
    }
    painter.fillRect(loud.X(0.0), barTop - 1, 1, barHeight + 2, QColor(160, 160, 160));
    if (const std::optional<double> st = state.ShortTerm())
        painter.fillRect(std::min(loud.X(*st - display.target), loud.right - 2), barTop - 1, 2,
                         barHeight + 2, Qt::white);

    // The maximum momentary and short-term readings under their columns.
    const std::optional<double> maxima[2] = {state.MaxMomentary(), state.MaxShortTerm()};
    for (int i = 0; i < 2; ++i) {
        const QString text = QStringLiteral("MAX ") + LoudnessText(maxima[i], display);
        pictures.values.Draw(
            painter, i * layout.columnWidth + (layout.columnWidth - sm.horizontalAdvance(text)) / 2,
            maxTop, text, kText);
    }
    painter.setFont(base);

    // The loudness readings in four columns, each re-rendered only when its text changes.
    const QString readings[4] = {LoudnessText(state.Momentary(), display),
                                 LoudnessText(state.ShortTerm(), display),
                                 LoudnessText(state.Integrated(), display), Reading(state.Range())};
    for (int i = 0; i < 4; ++i) {
        const QString &reading = readings[i];
        QImage &image = pictures.readingImage[static_cast<std::size_t>(i)];
        if (reading != pictures.readingText[static_cast<std::size_t>(i)] ||
            image.size() != QSize(layout.columnWidth, layout.readingHeight)) {
            pictures.readingText[static_cast<std::size_t>(i)] = reading;
            image = QImage(layout.columnWidth, layout.readingHeight, QImage::Format_RGB32);
            image.fill(Qt::black);
            QPainter p(&image);
            p.setFont(big);
            p.setPen(i == 2 ? QColor(255, 214, 120) : kText);
            p.drawText(image.rect(), Qt::AlignHCenter, reading);
        }
        painter.drawImage(i * layout.columnWidth, layout.readingTop, image);
    }
    pictures.frameKey = target ? target->cacheKey() : 0;
}
