#include "analyzer/stereo_field.h"

#include <QFontMetrics>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

namespace {

const QColor kGrey(127, 127, 127);
const QColor kAxis(52, 60, 70);
const QColor kText(210, 210, 210);

// The frame's samples as signed values about 0, either kind of width.
template <typename Visit> void ForEachFrame(const SampleWindow &w, Visit visit)
{
    switch (w.sampleKind) {
    case 1:
        for (const uint32_t v : w.stereo16)
            visit(static_cast<int16_t>(v & 0xFFFFu), static_cast<int16_t>(v >> 16));
        return;
    case 2:
        for (const int16_t v : w.mono16)
            visit(v, v);
        return;
    case 3:
        for (const uint16_t v : w.stereo8)
            visit(((v & 0xFF) - 128) * 256, ((v >> 8) - 128) * 256);
        return;
    case 4:
        for (const uint8_t v : w.mono8)
            visit((v - 128) * 256, (v - 128) * 256);
        return;
    default:
        return;
    }
}

// Where the parts lie in a picture of width × height logical pixels.
struct Layout
{
    QRect scope;   // the goniometer's square
    QRect meters;  // the column of the correlation and balance meters
    QRect corrBar; // the correlation meter's bar
    QRect balBar;  // the balance bar
};

Layout MakeLayout(int width, int height)
{
    Layout l;
    l.scope = StereoFieldScope(width, height);
    const int left = l.scope.right() + 24;
    l.meters = QRect(left, 8, std::max(40, width - left - 12), height - 16);
    const int barHeight = std::clamp(height / 16, 10, 22);
    l.corrBar = QRect(l.meters.left(), l.meters.top() + 26, l.meters.width(), barHeight);
    l.balBar = QRect(l.meters.left(), l.meters.top() + l.meters.height() / 2 + 26, l.meters.width(),
                     barHeight);
    return l;
}

// The afterglow's colours by intensity: dark teal into bright green-white.
const std::array<QRgb, 256> &GlowColours()
{
    static const std::array<QRgb, 256> colours = [] {
        std::array<QRgb, 256> c{};
        for (int i = 0; i < 256; ++i) {
            const double t = i / 255.0;
            c[static_cast<std::size_t>(i)] =
                qRgb(static_cast<int>(180 * t * t), static_cast<int>(40 + 215 * t),
                     static_cast<int>(30 + 130 * t));
        }
        c[0] = qRgb(0, 0, 0);
        return c;
    }();
    return colours;
}

// The goniometer's axes under the glow: mid, side and the two channel diagonals.
void DrawAxes(QPainter &painter, const QRect &s)
{
    painter.setPen(kAxis);
    const int cx = s.left() + s.width() / 2, cy = s.top() + s.height() / 2;
    painter.drawLine(cx, s.top(), cx, s.bottom());
    painter.drawLine(s.left(), cy, s.right(), cy);
    painter.drawLine(s.topLeft(), s.bottomRight());
    painter.drawLine(s.bottomLeft(), s.topRight());
    painter.setPen(QColor(70, 70, 70));
    painter.drawRect(s.adjusted(0, 0, -1, -1));
}

// The parts that stay: the goniometer's frame, its axes and their names, the meters' scales.
void DrawGround(QPainter &painter, StereoFieldState &state, const Layout &l, int width, int height)
{
    painter.fillRect(QRect(0, 0, width, height), Qt::black);
    QFont small = painter.font();
    small.setPixelSize(10);
    painter.setFont(small);
    const QFontMetrics sm(small);
    const auto text = [&](int x, int y, const QString &t) {
        state.labels.Draw(painter, x, y, t, kGrey);
    };
    // The axes' names outside the square: mid above it, side to its right, the channels
    // above its top corners.
    const QRect &s = l.scope;
    const int above = s.top() - sm.height();
    text(s.left() + s.width() / 2 - sm.horizontalAdvance(QStringLiteral("M")) / 2, above,
         QStringLiteral("M"));
    text(s.right() + 4, s.top() + s.height() / 2 - sm.height() / 2, QStringLiteral("S"));
    text(s.left(), above, QStringLiteral("L"));
    text(s.right() - sm.horizontalAdvance(QStringLiteral("R")) + 1, above, QStringLiteral("R"));

    const QRect &c = l.corrBar;
    text(c.left(), c.top() - sm.height() - 4, QStringLiteral("CORRELATION"));
    const QRect &b = l.balBar;
    text(b.left(), b.top() - sm.height() - 4, QStringLiteral("BALANCE"));
    painter.setPen(kGrey);
    const auto scale = [&](const QRect &bar, const std::array<const char *, 5> &labels) {
        for (int i = 0; i < 5; ++i) {
            const int x = bar.left() + (bar.width() - 1) * i / 4;
            painter.drawLine(x, bar.bottom() + 2, x, bar.bottom() + 4);
            const QString label = QString::fromLatin1(labels[static_cast<std::size_t>(i)]);
            if (label.isEmpty())
                continue;
            const int w = sm.horizontalAdvance(label);
            text(std::clamp(x - w / 2, 0, width - w), bar.bottom() + 5, label);
        }
    };
    scale(c, {"-1", "", "0", "", "+1"});
    scale(b, {"L", "", "C", "", "R"});
    DrawAxes(painter, l.scope);
}

} // namespace

QRect StereoFieldScope(int width, int height)
{
    const int side = std::max(16, std::min(height - 28, width / 2 + 40));
    return QRect(14, (height - side) / 2, side, side);
}

StereoMeasure MeasureStereo(const SampleWindow &window)
{
    double ll = 0, rr = 0, lr = 0;
    ForEachFrame(window, [&](int l, int r) {
        ll += double(l) * l;
        rr += double(r) * r;
        lr += double(l) * r;
    });
    StereoMeasure m;
    if (ll + rr <= 0)
        return m;
    m.silent = false;
    m.balance = (rr - ll) / (rr + ll);
    m.correlation = ll > 0 && rr > 0 ? std::clamp(lr / std::sqrt(ll * rr), -1.0, 1.0) : 0.0;
    return m;
}

bool DrawStereoFieldFrame(QPainter &painter, const SampleWindow &window, const FrameInput &input,
                          StereoFieldState &state)
{
    const std::size_t frames = window.FrameCount();
    if (frames == 0)
        return false;
    const int width = std::max(1, input.width / 15), height = std::max(1, input.height / 15);
    const Layout l = MakeLayout(width, height);
    const qreal ratio = painter.device()->devicePixelRatioF();
    if (state.ground.isNull() || state.groundSize != QSize(width, height) ||
        state.groundRatio != ratio || state.groundFont != painter.font()) {
        state.ground = QImage(QSize(width, height) * ratio, QImage::Format_RGB32);
        state.ground.setDevicePixelRatio(ratio);
        QPainter canvas(&state.ground);
        canvas.setFont(painter.font());
        DrawGround(canvas, state, l, width, height);
        state.groundSize = QSize(width, height);
        state.groundRatio = ratio;
        state.groundFont = painter.font();
    }

    // The afterglow fades by e^(-t / 60 ms) a frame, t the frame interval; the new points
    // brighten it.
    const int side = std::max(1, static_cast<int>(std::lround(l.scope.width() * ratio)));
    const std::size_t cells = std::size_t(side) * std::size_t(side);
    if (state.glowSide != side) {
        state.glow.assign(cells, 0);
        state.glowSide = side;
        state.glowBox = QRect();
        state.plot = QImage(side, side, QImage::Format_RGB32);
        state.plot.setDevicePixelRatio(ratio);
    }
    // Only the cells in glowBox can still glow: the fade runs over them alone and notes
    // where some glow is left.
    const int keep = static_cast<int>(256.0 * std::exp(-(input.FastFlag ? 10.0 : 40.0) / 60.0));
    uint8_t *glow = state.glow.data();
    const QRect lastBox = state.glowBox;
    QRect box;
    for (int y = lastBox.top(); y <= lastBox.bottom(); ++y) {
        uint8_t *row = glow + std::size_t(y) * std::size_t(side);
        int lit = 0;
        for (int x = lastBox.left(); x <= lastBox.right(); ++x) {
            row[x] = static_cast<uint8_t>((row[x] * keep) >> 8);
            lit |= row[x];
        }
        if (lit)
            box |= QRect(lastBox.left(), y, lastBox.width(), 1);
    }

    // Mid = (L + R) / 2 up, side = (R - L) / 2 across: full-scale mono reaches the top, a
    // full-scale channel alone the middle of a diagonal. Long windows are thinned to about
    // 8192 points.
    const double half = (side - 1) / 2.0;
    const double k = half / 65536.0;
    const std::size_t stride = std::max<std::size_t>(1, frames / 8192);
    std::size_t index = 0;
    int minX = side, maxX = -1, minY = side, maxY = -1;
    ForEachFrame(window, [&](int leftSample, int rightSample) {
        if (index++ % stride != 0)
            return;
        const int x = static_cast<int>(half + (rightSample - leftSample) * k + 0.5);
        const int y = static_cast<int>(half - (rightSample + leftSample) * k + 0.5);
        if (static_cast<unsigned>(x) >= static_cast<unsigned>(side) ||
            static_cast<unsigned>(y) >= static_cast<unsigned>(side))
            return;
        uint8_t &cell = glow[std::size_t(y) * std::size_t(side) + std::size_t(x)];
        cell = static_cast<uint8_t>(std::min(255, cell + 120));
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    });
    if (maxX >= 0)
        box |= QRect(QPoint(minX, minY), QPoint(maxX, maxY));
    state.glowBox = box;

    // The whole ground on a picture that does not hold this display's last frame; else only
    // the rows of the figures, the rest being drawn over in full.
    painter.setRenderHint(QPainter::Antialiasing, false);
    QImage *target = painter.device()->devType() == QInternal::Image
                         ? static_cast<QImage *>(painter.device())
                         : nullptr;
    const qint64 key = target ? target->cacheKey() : 0;
    QFont small = painter.font();
    small.setPixelSize(12);
    const QFontMetrics sm(small);
    const QRect figures[2] = {
        QRect(l.corrBar.left(), l.corrBar.bottom() + 20, l.meters.width(), sm.height() + 1),
        QRect(l.balBar.left(), l.balBar.bottom() + 20, l.meters.width(), sm.height() + 1)};
    const bool partial =
        state.frameKey != 0 && (key == state.frameKey || key == state.frameKey + 1);
    state.changed.clear();
    if (partial) {
        for (const QRect &part : figures)
            painter.drawImage(part.topLeft(), state.ground,
                              QRectF(QPointF(part.topLeft()) * ratio, QSizeF(part.size()) * ratio));
        state.changed.assign(std::begin(figures), std::end(figures));
        state.changed.push_back(l.corrBar);
        state.changed.push_back(l.balBar);
    } else {
        painter.drawImage(QPoint(0, 0), state.ground);
        state.changed.assign(1, QRect(0, 0, width, height));
    }

    // The glow over the ground's axes, where it has faded out: what glows now, and on the last
    // frame's picture also what glowed then.
    const QRect drawn = partial ? box | lastBox : box;
    const std::array<QRgb, 256> &colours = GlowColours();
    const QPoint corner(static_cast<int>(std::lround(l.scope.left() * ratio)),
                        static_cast<int>(std::lround(l.scope.top() * ratio)));
    const int groundRows = state.ground.height(), groundColumns = state.ground.width();
    const int columns = std::clamp(groundColumns - corner.x(), 0, side);
    for (int y = drawn.top(); y <= drawn.bottom(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(state.plot.scanLine(y));
        const uint8_t *from = glow + std::size_t(y) * std::size_t(side);
        const int groundY = corner.y() + y;
        const QRgb *under =
            groundY < groundRows
                ? reinterpret_cast<const QRgb *>(state.ground.constScanLine(groundY)) + corner.x()
                : nullptr;
        for (int x = drawn.left(); x <= drawn.right(); ++x)
            row[x] = from[x] || !under || x >= columns ? colours[from[x]] : under[x];
    }
    if (!drawn.isEmpty()) {
        const QRectF place(QPointF(l.scope.topLeft()) + QPointF(drawn.topLeft()) / ratio,
                           QSizeF(drawn.size()) / ratio);
        painter.drawImage(place, state.plot, QRectF(drawn));
        if (partial)
            state.changed.push_back(place.toAlignedRect());
    }

    // The meters: correlation from the centre (green above 0, red below), balance as a mark.
    const StereoMeasure m = MeasureStereo(window);
    state.last = m;
    const QRect &c = l.corrBar;
    painter.fillRect(c, QColor(18, 24, 34));
    const int mid = c.left() + (c.width() - 1) / 2;
    const int to =
        c.left() + static_cast<int>(std::lround((m.correlation + 1.0) / 2.0 * (c.width() - 1)));
    if (!m.silent)
        painter.fillRect(
            QRect(QPoint(std::min(mid, to), c.top()), QPoint(std::max(mid, to), c.bottom())),
            m.correlation >= 0 ? QColor(56, 208, 96) : QColor(240, 64, 48));
    const QRect &b = l.balBar;
    painter.fillRect(b, QColor(18, 24, 34));
    painter.fillRect(b.left() + (b.width() - 1) / 2, b.top(), 1, b.height(), kAxis);
    if (!m.silent) {
        const int x =
            b.left() + static_cast<int>(std::lround((m.balance + 1.0) / 2.0 * (b.width() - 1)));
        painter.fillRect(std::clamp(x - 2, b.left(), b.right() - 3), b.top(), 4, b.height(),
                         QColor(64, 160, 236));
    }

    // The figures under the bars.
    const QFont base = painter.font();
    painter.setFont(small);
    const QString corr =
        m.silent ? QStringLiteral("--") : QString::asprintf("%+.2f", m.correlation);
    state.values.Draw(painter, c.left(), c.bottom() + 20, corr, kText);
    QString bal = QStringLiteral("--");
    if (!m.silent) {
        const double db = 10.0 * std::log10((1.0 + m.balance + 1e-12) / (1.0 - m.balance + 1e-12));
        bal = std::fabs(db) < 0.05 ? QStringLiteral("C 0.0 dB")
                                   : QString::asprintf("%s %.1f dB", db < 0 ? "L" : "R",
                                                       std::min(std::fabs(db), 99.9));
    }
    state.values.Draw(painter, b.left(), b.bottom() + 20, bal, kText);
    painter.setFont(base);
    state.frameKey = target ? target->cacheKey() : 0;
    return true;
}
