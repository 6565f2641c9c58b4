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

} // namespace

void DrawLoudnessFrame(QPainter &painter, const LoudnessState &state, LoudnessPictures &pictures,
                       int width, int height, double nowMs)
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
    MakeBars(pictures, scale, 14);
    LabelCache &labels = pictures.labels;
    const auto text = [&](int x, int baseline, const QString &t, const QColor &c) {
        (c == kGrey ? labels : pictures.names).Draw(painter, x, baseline - sm.ascent(), t, c);
    };
    const int channels = std::max(state.Channels(), 1);
    const char *const names[2] = {channels == 1 ? "M" : "L", "R"};
    int y = 14;
    text(scale.left, y - 3, QStringLiteral("PEAK / RMS  dBFS"), kGrey);
    text(width - 38, y - 3, QStringLiteral("CLIP"), kGrey);
    for (int c = 0; c < channels; ++c) {
        text(8, y + 14, QString::fromLatin1(names[c]), kText);
        DrawPeakBar(painter, pictures, scale, y + 2, state.PeakDb(c), state.HoldDb(c));
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
        text(std::clamp(x - w / 2, 0, width - w), y + 4 + sm.ascent(), label, kGrey);
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
        const QString title = QString::fromLatin1(columns[i].title);
        text(x + (columnWidth - sm.horizontalAdvance(title)) / 2, boxTop + sm.ascent(), title,
             kGrey);
        const QString reading = Reading(columns[i].value);
        QImage &image = pictures.readingImage[static_cast<std::size_t>(i)];
        if (reading != pictures.readingText[static_cast<std::size_t>(i)] ||
            image.size() != QSize(columnWidth, bm.height())) {
            pictures.readingText[static_cast<std::size_t>(i)] = reading;
            image = QImage(columnWidth, bm.height(), QImage::Format_RGB32);
            image.fill(Qt::black);
            QPainter p(&image);
            p.setFont(big);
            p.setPen(i == 2 ? QColor(255, 214, 120) : kText);
            p.drawText(image.rect(), Qt::AlignHCenter, reading);
        }
        painter.drawImage(x, boxTop + sm.height() + 6, image);
        painter.setFont(small);
        const QString unit = QString::fromLatin1(columns[i].unit);
        text(x + (columnWidth - sm.horizontalAdvance(unit)) / 2,
             boxTop + sm.height() + 10 + bm.height() + sm.ascent(), unit, kGrey);
    }
    painter.setFont(base);
}
