// make_artwork: draws every picture of the Lumo player and its analyzer panel with QPainter
// and writes them as PNG files, so that all artwork is reproducible from this one source.
//
//   make_artwork RESOURCE_DIR [PREVIEW_DIR]
//
// RESOURCE_DIR is player/resources: the pictures go to images/, the desktop icons to
// icons/hicolor/. With PREVIEW_DIR, mock-ups of the main window are written there as well.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

constexpr double kPi = 3.14159265358979323846;

// One palette for every picture.
const QColor kWindow(239, 255, 255);    // window background
const QColor kInk(0, 111, 191);         // window text, glyphs
const QColor kInkDeep(0, 78, 142);      // glyphs of pressed buttons
const QColor kFaceTop(255, 255, 255);   // raised button, top
const QColor kFaceFoot(207, 236, 249);  // raised button, foot
const QColor kPressTop(160, 203, 229);  // pressed button, top
const QColor kPressFoot(205, 233, 248); // pressed button, foot
const QColor kEdge(104, 164, 206);      // button outline
const QColor kEdgePressed(0, 92, 160);  // pressed button outline
const QColor kDrop(206, 233, 243);      // shadow under raised buttons
const QColor kMuted(150, 186, 208);     // quiet captions
const QColor kSoftInk(92, 138, 172);    // unselected labels
const QColor kViolet(158, 47, 237);     // bar gradient, top
const QColor kPaleCyan(199, 248, 255);  // bar gradient, foot
const QColor kLeftNeedle(0, 127, 255);  // analog meter, left needle
const QColor kRightNeedle(255, 0, 127); // analog meter, right needle
const QColor kRedZone(226, 44, 78);     // analog meter, top of the scale
const QColor kScreenTop(10, 26, 46);    // analyzer tiles, screen
const QColor kScreenFoot(2, 8, 18);
const QColor kGrid(58, 74, 92);

// Where the pictures go and whether every write succeeded.
struct Writer
{
    QString root;
    bool ok = true;
    QString suffix; // after a picture's name: "@2x" for the pictures drawn at twice the size

    // Writes an opaque picture (or one with alpha when keepAlpha) below root.
    void Save(const QImage &image, const QString &relative, bool keepAlpha = false)
    {
        QString name = relative;
        if (!suffix.isEmpty() && name.endsWith(QLatin1String(".png")))
            name.insert(name.size() - 4, suffix);
        const QString path = root + "/" + name;
        QDir().mkpath(QFileInfo(path).absolutePath());
        const QImage out =
            image.convertToFormat(keepAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        if (!out.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
};

// The scale the pictures are drawn at: 1, or 2 for the screens of a device pixel ratio above 1.
int gScale = 1;

// A picture of w × h pixels at the scale in force: painters draw on it in those pixels.
QImage Canvas(int w, int h, const QColor &fill)
{
    QImage image(w * gScale, h * gScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(gScale);
    image.fill(fill);
    return image;
}

// ---------------------------------------------------------------------------------------
// A 7-pixel-high bitmap font for the small labels, so that they stay crisp at 1:1.
// 'x' stands for the multiplication sign.

struct Glyph
{
    char c;
    std::array<const char *, 7> rows;
};

const Glyph kGlyphs[] = {
    {'0', {".##.", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."}},
    {'1', {".#.", "##.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'2', {".##.", "#..#", "...#", "..#.", ".#..", "#...", "####"}},
    {'3', {".##.", "#..#", "...#", "..#.", "...#", "#..#", ".##."}},
    {'4', {"..#.", ".##.", "#.#.", "#.#.", "####", "..#.", "..#."}},
    {'5', {"####", "#...", "###.", "...#", "...#", "#..#", ".##."}},
    {'6', {".##.", "#...", "#...", "###.", "#..#", "#..#", ".##."}},
    {'7', {"####", "...#", "..#.", "..#.", ".#..", ".#..", ".#.."}},
    {'8', {".##.", "#..#", "#..#", ".##.", "#..#", "#..#", ".##."}},
    {'9', {".##.", "#..#", "#..#", ".###", "...#", "...#", ".##."}},
    {'.', {".", ".", ".", ".", ".", ".", "#"}},
    {'-', {"...", "...", "...", "###", "...", "...", "..."}},
    {'+', {"...", "...", ".#.", "###", ".#.", "...", "..."}},
    {'x', {"...", "...", "#.#", ".#.", "#.#", "...", "..."}},
    {'A', {".##.", "#..#", "#..#", "####", "#..#", "#..#", "#..#"}},
    {'B', {"###.", "#..#", "#..#", "###.", "#..#", "#..#", "###."}},
    {'L', {"#...", "#...", "#...", "#...", "#...", "#...", "####"}},
    {'R', {"###.", "#..#", "#..#", "###.", "#.#.", "#..#", "#..#"}},
    {'d', {"...#", "...#", ".###", "#..#", "#..#", "#..#", ".###"}},
};

const Glyph *FindGlyph(char c)
{
    for (const Glyph &g : kGlyphs) {
        if (g.c == c) {
            return &g;
        }
    }
    return nullptr;
}

int PixelTextWidth(const char *text)
{
    int width = 0;
    for (const char *c = text; *c; ++c) {
        const Glyph *g = FindGlyph(*c);
        width += (g ? int(std::strlen(g->rows[0])) : 2) + 1;
    }
    return width > 0 ? width - 1 : 0;
}

// Draws text in the bitmap font with its top-left corner at pixel (x, y).
void PixelText(QPainter &p, int x, int y, const char *text, const QColor &colour)
{
    for (const char *c = text; *c; ++c) {
        const Glyph *g = FindGlyph(*c);
        if (!g) {
            x += 3;
            continue;
        }
        const int w = int(std::strlen(g->rows[0]));
        for (int row = 0; row < 7; ++row) {
            for (int col = 0; col < w; ++col) {
                if (g->rows[size_t(row)][col] == '#') {
                    p.fillRect(x + col, y + row, 1, 1, colour);
                }
            }
        }
        x += w + 1;
    }
}

// Draws bitmap text centred on pixel column cx.
void PixelTextCentred(QPainter &p, double cx, int y, const char *text, const QColor &colour)
{
    PixelText(p, int(std::lround(cx - PixelTextWidth(text) / 2.0)), y, text, colour);
}

// ---------------------------------------------------------------------------------------
// Buttons: one body for all of them, raised (normal) or sunk in (pressed).

// Paints a button body of the given outline; a raised body casts a one-pixel shadow below,
// a pressed one is darker at the top with an inner shadow along its upper edge.
void ButtonBody(QPainter &p, const QPainterPath &shape, bool pressed)
{
    const QRectF r = shape.boundingRect();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (!pressed) {
        p.fillPath(shape.translated(0, 1), kDrop);
    }
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0, pressed ? kPressTop : kFaceTop);
    face.setColorAt(1, pressed ? kPressFoot : kFaceFoot);
    p.fillPath(shape, face);
    p.setClipPath(shape);
    if (pressed) {
        p.strokePath(shape.translated(0, 1.5), QPen(QColor(0, 56, 104, 80), 2.0));
    } else {
        p.strokePath(shape.translated(0, 1), QPen(QColor(255, 255, 255, 220), 1.0));
    }
    p.setClipping(false);
    p.strokePath(shape, QPen(pressed ? kEdgePressed : kEdge, 1.0));
    p.restore();
}

using GlyphPainter = std::function<void(QPainter &, const QColor &)>;

// Draws a whole button picture: background, body and glyph; the glyph of a pressed button
// moves one pixel down and to the right.
QImage Button(int w, int h, const QPainterPath &shape, bool pressed, const GlyphPainter &glyph)
{
    QImage image = Canvas(w, h, kWindow);
    QPainter p(&image);
    ButtonBody(p, shape, pressed);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    if (pressed) {
        p.translate(1, 1);
    }
    glyph(p, pressed ? kInkDeep : kInk);
    return image;
}

QPainterPath Circle(double cx, double cy, double r)
{
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), r, r);
    return path;
}

QPainterPath Rounded(const QRectF &r, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QPainterPath Triangle(QPointF a, QPointF b, QPointF c)
{
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    return path;
}

// A triangle pointing left with its tip at tipX and its flat side at baseX, centred on cy.
QPainterPath LeftTriangle(double tipX, double baseX, double cy, double halfHeight)
{
    return Triangle({tipX, cy}, {baseX, cy - halfHeight}, {baseX, cy + halfHeight});
}

// Mirrors the painter about the vertical line x = cx.
void MirrorX(QPainter &p, double cx)
{
    p.translate(cx, 0);
    p.scale(-1, 1);
    p.translate(-cx, 0);
}

QPainterPath PlayShape()
{
    return Circle(20, 19.5, 18.5);
}
QPainterPath StopShape()
{
    return Circle(15, 14.5, 13.5);
}
QPainterPath PillShape()
{
    return Rounded(QRectF(0.5, 0.5, 32, 18), 9);
}
QPainterPath SmallShape()
{
    return Rounded(QRectF(0.5, 0.5, 15, 14), 3.5);
}

void PlayGlyph(QPainter &p, const QColor &c)
{
    p.fillPath(Triangle({12, 12}, {12, 27}, {25, 19.5}), c);
    p.fillRect(QRectF(26, 14, 2.5, 11), c);
    p.fillRect(QRectF(30, 14, 2.5, 11), c);
}

void StopGlyph(QPainter &p, const QColor &c)
{
    p.fillPath(Rounded(QRectF(10, 9.5, 10, 10), 1.5), c);
}

// Two triangles pointing left: ten seconds back.
void BackGlyph(QPainter &p, const QColor &c)
{
    p.fillPath(LeftTriangle(8, 16, 9.5, 5), c);
    p.fillPath(LeftTriangle(16, 24, 9.5, 5), c);
}

// A bar and a triangle pointing left: previous file.
void PrevGlyph(QPainter &p, const QColor &c)
{
    p.fillRect(QRectF(10, 4.5, 2, 10), c);
    p.fillPath(LeftTriangle(12.5, 22, 9.5, 5), c);
}

// ---------------------------------------------------------------------------------------
// The small 16 x 16 buttons of the right-hand column.

QPen Line(const QColor &c, double width = 1.0)
{
    QPen pen(c, width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void FullGlyph(QPainter &p, const QColor &c)
{
    p.setPen(Line(c, 1.5));
    p.setBrush(Qt::NoBrush);
    const double l = 3.75, r = 12.25, t = 3.25, b = 11.75, arm = 3.25;
    p.drawPolyline(QPolygonF({{l, t + arm}, {l, t}, {l + arm, t}}));
    p.drawPolyline(QPolygonF({{r - arm, t}, {r, t}, {r, t + arm}}));
    p.drawPolyline(QPolygonF({{l, b - arm}, {l, b}, {l + arm, b}}));
    p.drawPolyline(QPolygonF({{r - arm, b}, {r, b}, {r, b - arm}}));
}

// A diagonal double arrow: change the window size.
void RslGlyph(QPainter &p, const QColor &c)
{
    p.setPen(Line(c, 1.5));
    p.drawLine(QPointF(5.5, 10), QPointF(10.5, 5));
    p.setPen(Qt::NoPen);
    p.fillPath(Triangle({3, 12.5}, {3, 7.5}, {8, 12.5}), c);
    p.fillPath(Triangle({13, 2.5}, {13, 7.5}, {8, 2.5}), c);
}

// A loop of arrows: play mode.
void PmGlyph(QPainter &p, const QColor &c)
{
    p.setPen(Line(c, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{3.75, 8.5}, {3.75, 4.75}, {10.5, 4.75}}));
    p.drawPolyline(QPolygonF({{12.25, 6.5}, {12.25, 10.25}, {5.5, 10.25}}));
    p.setPen(Qt::NoPen);
    p.fillPath(Triangle({10, 2}, {10, 7.5}, {13.5, 4.75}), c);
    p.fillPath(Triangle({6, 7.5}, {6, 13}, {2.5, 10.25}), c);
}

// Three level bars: the analyzer.
void VsaGlyph(QPainter &p, const QColor &c)
{
    p.fillRect(QRectF(3, 7, 2, 5), c);
    p.fillRect(QRectF(6, 3, 2, 9), c);
    p.fillRect(QRectF(9, 5, 2, 7), c);
    p.fillRect(QRectF(12, 8, 1, 4), c);
}

void InfoGlyph(QPainter &p, const QColor &c)
{
    p.fillPath(Circle(8, 4, 1.25), c);
    p.fillRect(QRectF(7, 6, 2, 6), c);
    p.fillRect(QRectF(6, 6, 1, 1), c);
    p.fillRect(QRectF(6, 11, 4, 1), c);
}

// A window with its list pane and an arrow that folds the pane away (list shown), or an
// empty window with an arrow that brings the pane back (list hidden).
void SizeGlyph(QPainter &p, const QColor &c, bool listShown)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.fillRect(2, 2, 12, 1, c);
    p.fillRect(2, 3, 12, 1, c);
    p.fillRect(2, 12, 12, 1, c);
    p.fillRect(2, 2, 1, 11, c);
    p.fillRect(13, 2, 1, 11, c);
    if (listShown) {
        p.fillRect(9, 4, 1, 8, c);
        for (int i = 0; i < 3; ++i) {
            p.fillRect(11, 6 + 2 * i, 2, 1, c);
        }
        // Arrow to the right, towards the pane.
        p.fillRect(4, 5, 1, 5, c);
        p.fillRect(5, 6, 1, 3, c);
        p.fillRect(6, 7, 1, 1, c);
    } else {
        // Arrow to the left, out of the right edge.
        p.fillRect(11, 5, 1, 5, c);
        p.fillRect(10, 6, 1, 3, c);
        p.fillRect(9, 7, 1, 1, c);
        for (int i = 0; i < 3; ++i) {
            p.fillRect(4, 6 + 2 * i, 3, 1, c);
        }
    }
}

QImage SmallButton(const GlyphPainter &glyph)
{
    return Button(16, 16, SmallShape(), false, glyph);
}

// The position knob: a round raised knob with a centre mark.
QImage Knob()
{
    QImage image = Canvas(16, 16, kWindow);
    QPainter p(&image);
    ButtonBody(p, Circle(8, 7.5, 6.5), false);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(8, 7.5), 2, 2);
    return image;
}

// ---------------------------------------------------------------------------------------
// The speed dial: the three speeds at their press zones (lower left, top, lower right); the
// chosen one is set in white on a blue tab, and a small gauge between them points at it.
QImage SpeedDial(int index)
{
    QImage image = Canvas(44, 22, kWindow);
    QPainter p(&image);
    ButtonBody(p, Rounded(QRectF(0.5, 0.5, 43, 20), 6), false);

    const char *labels[3] = {"x0.5", "x1", "x2"};
    const QPoint at[3] = {{3, 12}, {19, 2}, {34, 12}};
    const QRectF tabs[3] = {{2, 11, 17, 9}, {18, 1, 9, 9}, {33, 11, 10, 9}};
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRoundedRect(tabs[index], 2, 2);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < 3; ++i) {
        PixelText(p, at[i].x(), at[i].y(), labels[i], i == index ? Qt::white : kSoftInk);
    }

    // The gauge: a half disc on the plate's lower edge with a needle towards the choice.
    const QPointF centre(26, 19.5);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kEdge, 1.0));
    p.setBrush(Qt::white);
    p.drawChord(QRectF(centre.x() - 5.5, centre.y() - 5.5, 11, 11), 0, 180 * 16);
    const double angle = (150 - 60 * index) * kPi / 180;
    p.setPen(QPen(kInk, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(std::cos(angle), -std::sin(angle)) * 4.5);
    return image;
}

// ---------------------------------------------------------------------------------------
// Analyzer artwork.

// The bar gradient, one row: violet at the top (t = 0) to pale cyan at the foot (t = 1),
// interpolated in hue, saturation and value so that it passes through clear blues.
QColor BarColour(double t)
{
    const double h0 = kViolet.hsvHueF(), s0 = kViolet.hsvSaturationF(), v0 = kViolet.valueF();
    const double h1 = kPaleCyan.hsvHueF(), s1 = kPaleCyan.hsvSaturationF(), v1 = kPaleCyan.valueF();
    return QColor::fromHsvF(float(h0 + (h1 - h0) * t), float(s0 + (s1 - s0) * t),
                            float(v0 + (v1 - v0) * t));
}

// The 8 x 200 bar image; the columns are shaded like a rounded rod.
QImage BarImage()
{
    QImage image = Canvas(8, 200, Qt::black);
    const double shade[8] = {0.80, 0.93, 1.03, 1.07, 1.05, 1.0, 0.92, 0.80};
    for (int y = 0; y < image.height(); ++y) {
        const QColor c = BarColour(y / double(image.height() - 1));
        for (int x = 0; x < image.width(); ++x) {
            auto channel = [&](int v) {
                return std::clamp(int(std::lround(v * shade[x / gScale])), 0, 255);
            };
            image.setPixelColor(x, y,
                                QColor(channel(c.red()), channel(c.green()), channel(c.blue())));
        }
    }
    return image;
}

// Geometry of the analog meter in the 400 x 240 area: the face is painted at 1300 twips,
// the needles pivot at y = 2925 twips and at x = W / 4, 3 W / 4; 15 twips make a pixel.
// The needle lines are two pixels wide to the right of the pivot's pixel, hence the
// pivots sit on pixel boundaries horizontally and on pixel centres vertically.
constexpr int kMeterTop = 87; // 1300 / 15 rounded
constexpr double kPivotY = 2925.0 / 15 - kMeterTop + 0.5;
constexpr double kPivotX[2] = {1500.0 / 15 + 1, 4500.0 / 15 + 1};
// The needle's deflection fraction f = (level - O) / (F - O) with F = lg 32768, O = 2.5
// spans F - O decades; a level d dB below full scale sits at f = 1 + d / (20 (F - O)).
const double kSpanDecades = std::log10(32768.0) - 2.5;
// Radius of the scale's arc; the ticks reach 12 (long) or 6 (short) pixels beyond it.
constexpr double kScaleRadius = 91;

double MeterAngle(double dB)
{
    const double f = std::max(0.0, 1.0 + dB / (20.0 * kSpanDecades));
    return f * 2 * kPi / 3 + kPi / 6;
}

QPointF MeterPoint(int meter, double angle, double radius)
{
    return {kPivotX[meter] - radius * std::cos(angle), kPivotY - radius * std::sin(angle)};
}

// The meter face: two light dials on black, each with a dB scale from -40 to 0 that lies
// exactly where the needle points at those levels, a red zone for the last 3 dB.
QImage MeterFace()
{
    QImage image = Canvas(400, 240 - kMeterTop, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int meter = 0; meter < 2; ++meter) {
        const double left = meter * 200 + 2.5;
        QPainterPath face;
        face.addRoundedRect(QRectF(left, 0.5, 195, 121), 8, 8);
        QPainterPath cut;
        cut.addRect(QRectF(0, kPivotY + 0.5, 400, 100));
        face = face.subtracted(cut);
        QLinearGradient g(0, 0, 0, kPivotY);
        g.setColorAt(0, QColor(252, 255, 255));
        g.setColorAt(1, QColor(210, 238, 250));
        p.fillPath(face, g);
        p.strokePath(face, QPen(kEdge, 1.0));

        // The well of the needle's hub, so that the white hub ring stands out.
        p.setPen(QPen(kEdge, 1.0));
        p.setBrush(QColor(16, 34, 56));
        p.drawChord(QRectF(kPivotX[meter] - 15, kPivotY - 15, 30, 30), 0, 180 * 16);

        // Red zone and the arc.
        const double r0 = kScaleRadius;
        auto arc = [&](double fromDb, double toDb, double radius, const QPen &pen) {
            QPainterPath path;
            const int steps = 60;
            for (int i = 0; i <= steps; ++i) {
                const double dB = fromDb + (toDb - fromDb) * i / steps;
                const QPointF pt = MeterPoint(meter, MeterAngle(dB), radius);
                i == 0 ? path.moveTo(pt) : path.lineTo(pt);
            }
            p.strokePath(path, pen);
        };
        arc(-3, 0, r0 + 2.5, QPen(kRedZone, 4.0, Qt::SolidLine, Qt::FlatCap));
        arc(-40.3, 0, r0, QPen(kInk, 1.0));

        // Ticks: long at every 10 dB, short at the fives and at -3, -2, -1.
        const double ticks[] = {-40, -35, -30, -25, -20, -15, -10, -5, -3, -2, -1, 0};
        for (double dB : ticks) {
            const bool major = std::fmod(-dB, 10.0) == 0.0;
            const double a = MeterAngle(dB);
            const QColor c = dB > -3.5 ? kRedZone : kInk;
            p.setPen(QPen(c, major ? 1.6 : 1.0, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(MeterPoint(meter, a, r0), MeterPoint(meter, a, r0 + (major ? 12 : 6)));
        }

        // Labels inside the arc.
        p.setRenderHint(QPainter::Antialiasing, false);
        const struct
        {
            double dB;
            const char *text;
        } labels[] = {{-40, "-40"}, {-30, "-30"}, {-20, "-20"}, {-10, "-10"}, {0, "0"}};
        for (const auto &l : labels) {
            const QPointF c = MeterPoint(meter, MeterAngle(l.dB), r0 - 12);
            const QColor colour = l.dB > -3.5 ? kRedZone : kInk;
            PixelTextCentred(p, c.x(), int(std::lround(c.y() - 3.5)), l.text, colour);
        }
        PixelTextCentred(p, kPivotX[meter], int(kPivotY) - 52, "dB", kSoftInk);
        PixelText(p, int(left) + 7, int(kPivotY) - 10, meter == 0 ? "L" : "R",
                  meter == 0 ? kLeftNeedle : kRightNeedle);
        p.setRenderHint(QPainter::Antialiasing);
    }
    return image;
}

QFont Font(const QString &family, int pixelSize, int weight = QFont::Normal, bool italic = false)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Weight(weight));
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// Draws the program's emblem (a rounded square with a play triangle and three level bars)
// into the square rect; shared by the icons, the logo and the audio picture.
void Emblem(QPainter &p, const QRectF &r)
{
    const double s = r.width();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(r.topLeft());
    QLinearGradient g(0, 0, s, s);
    g.setColorAt(0, QColor(0, 140, 220));
    g.setColorAt(1, QColor(112, 52, 214));
    const double inset = s <= 16 ? 0.5 : s * 0.03;
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(inset, inset, s - 2 * inset, s - 2 * inset), s * 0.22, s * 0.22);
    // Play triangle.
    p.setBrush(Qt::white);
    const double base = std::round(s * 0.18);
    p.drawPath(Triangle({base, s * 0.24}, {base, s * 0.76}, {s * 0.52, s * 0.50}));
    // Three level bars in the bar gradient's colours, on a common foot.
    const double foot = s * 0.76, bw = std::max(1.0, std::round(s * 0.09));
    const double heights[3] = {0.26, 0.46, 0.34};
    for (int i = 0; i < 3; ++i) {
        const double x = std::round(s * 0.56 + i * (bw + std::max(1.0, std::round(s * 0.03))));
        const double h = std::round(s * heights[i]);
        QLinearGradient bar(0, foot - h, 0, foot);
        bar.setColorAt(0, QColor(222, 200, 255));
        bar.setColorAt(1, kPaleCyan);
        p.setBrush(bar);
        p.drawRect(QRectF(x, std::round(foot - h), bw, std::round(h)));
    }
    p.restore();
}

QImage Icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    Emblem(p, QRectF(0, 0, size, size));
    return image;
}

// The same emblem as scalable vector graphics for the desktop.
QString IconSvg()
{
    const double s = 256, inset = s * 0.03, radius = s * 0.22;
    QString svg;
    QTextStream out(&svg);
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
           "viewBox=\"0 0 256 256\">\n"
        << "  <defs>\n"
        << "    <linearGradient id=\"face\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\">\n"
        << "      <stop offset=\"0\" stop-color=\"#008cdc\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"#7034d6\"/>\n"
        << "    </linearGradient>\n"
        << "    <linearGradient id=\"bar\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
        << "      <stop offset=\"0\" stop-color=\"#dec8ff\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"#c7f8ff\"/>\n"
        << "    </linearGradient>\n"
        << "  </defs>\n";
    out << "  <rect x=\"" << inset << "\" y=\"" << inset << "\" width=\"" << s - 2 * inset
        << "\" height=\"" << s - 2 * inset << "\" rx=\"" << radius << "\" fill=\"url(#face)\"/>\n";
    const double base = std::round(s * 0.18);
    out << "  <path d=\"M " << base << " " << s * 0.24 << " L " << base << " " << s * 0.76 << " L "
        << s * 0.52 << " " << s * 0.50 << " Z\" fill=\"#ffffff\"/>\n";
    const double foot = s * 0.76, bw = std::round(s * 0.09), gap = std::round(s * 0.03);
    const double heights[3] = {0.26, 0.46, 0.34};
    for (int i = 0; i < 3; ++i) {
        const double x = std::round(s * 0.56 + i * (bw + gap));
        const double h = std::round(s * heights[i]);
        out << "  <rect x=\"" << x << "\" y=\"" << foot - h << "\" width=\"" << bw << "\" height=\""
            << h << "\" fill=\"url(#bar)\"/>\n";
    }
    out << "</svg>\n";
    return svg;
}

// The audio picture for the top-left of the black picture area.
QImage AudioPicture()
{
    QImage image = Canvas(201, 40, Qt::black);
    QPainter p(&image);
    Emblem(p, QRectF(6, 6, 28, 28));
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(kPaleCyan);
    p.setFont(Font("DejaVu Sans", 15, QFont::Bold));
    p.drawText(QRectF(42, 4, 150, 20), Qt::AlignLeft | Qt::AlignVCenter, "AUDIO");
    p.setPen(QColor(96, 150, 190));
    p.setFont(Font("DejaVu Sans", 9));
    p.drawText(QRectF(42, 22, 158, 14), Qt::AlignLeft | Qt::AlignVCenter, "Visual Sound Analyzer");
    return image;
}

// The logo banner of the information dialog.
QImage Logo()
{
    QImage image = Canvas(360, 66, kWindow);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 360, 0);
    g.setColorAt(0, QColor(0, 96, 170));
    g.setColorAt(1, QColor(88, 44, 176));
    p.fillRect(image.rect(), g);
    // Fine level bars along the right edge, in the bar gradient.
    for (int i = 0; i < 15; ++i) {
        const double h = 6 + 26 * std::pow(std::sin(i * 0.55 + 0.7), 2) * (1.0 - i / 30.0);
        const int x = 262 + i * 6;
        for (int y = int(42 - h); y < 42; ++y) {
            QColor c = BarColour((y - 8) / 34.0);
            c.setAlpha(110);
            p.fillRect(x, y, 4, 1, c);
        }
    }
    Emblem(p, QRectF(12, 11, 44, 44));
    p.setPen(Qt::white);
    const QFont name = Font("DejaVu Sans", 34, QFont::Bold);
    p.setFont(name);
    const QRectF nameRect(66, 4, 190, 44);
    p.drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter, "Lumo");
    const double nameEnd = nameRect.left() + QFontMetricsF(name).horizontalAdvance("Lumo");
    p.setPen(kPaleCyan);
    p.setFont(Font("DejaVu Sans", 12, QFont::Normal, true));
    p.drawText(QRectF(nameEnd + 6, 19, 120, 20), Qt::AlignLeft | Qt::AlignVCenter, "\"sorvane\"");
    p.setPen(QColor(190, 226, 250));
    p.setFont(Font("DejaVu Sans", 10));
    p.drawText(QRectF(68, 44, 280, 16), Qt::AlignLeft | Qt::AlignVCenter,
               "Media Player with Visual Sound Analyzer");
    return image;
}

// ---------------------------------------------------------------------------------------
// Mode pictures of the analyzer panel, 33 x 36 each (ten share the panel's strip): a small
// screen showing what the mode draws, designed on a 48 x 36 grid and narrowed to fit. The
// highlighted picture is drawn in full colour; the normal one is the same picture dimmed and greyed
// with a quiet frame.

constexpr int kTileW = 33, kTileH = 36;
constexpr double kDesignW = 48; // width the tile contents are designed on

void TileScreen(QPainter &p)
{
    QLinearGradient g(0, 0, 0, kTileH);
    g.setColorAt(0, kScreenTop);
    g.setColorAt(1, kScreenFoot);
    p.fillRect(QRect(0, 0, kTileW, kTileH), g);
}

void TileGrid(QPainter &p)
{
    for (int x = 6; x < kDesignW - 2; x += 8) {
        p.fillRect(x, 4, 1, kTileH - 8, kGrid);
    }
    for (int y = 6; y < kTileH - 2; y += 8) {
        p.fillRect(3, y, int(kDesignW) - 6, 1, kGrid);
    }
}

// A dark-to-bright level colour for the spectrogram tile: black, violet, red, orange, pale
// yellow.
QColor WaterfallColour(double t)
{
    const double stops[5][3] = {
        {0, 0, 0}, {80, 20, 120}, {200, 40, 90}, {250, 140, 40}, {255, 245, 190}};
    t = std::clamp(t, 0.0, 1.0) * 4;
    const int i = std::min(int(t), 3);
    const double f = t - i;
    auto mix = [&](int c) { return int(std::lround(stops[i][c] * (1 - f) + stops[i + 1][c] * f)); };
    return QColor(mix(0), mix(1), mix(2));
}

// The spectrum curve used by both spectrum tiles, in tile pixels.
double SpectrumY(double x)
{
    return 10 + 14 * (x - 4) / 40.0 - 6 * std::exp(-std::pow((x - 13) / 3.0, 2)) -
           4 * std::exp(-std::pow((x - 27) / 2.5, 2)) + 0.8 * std::sin(x * 1.3);
}

void DrawModeContent(QPainter &p, int mode)
{
    p.setRenderHint(QPainter::Antialiasing);
    switch (mode) {
    case 0: { // no analyzer: the audio picture alone, a note
        const QColor c = kPaleCyan;
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(QPointF(19, 25), 4.5, 3.5);
        p.drawEllipse(QPointF(31, 22), 4.5, 3.5);
        p.fillRect(QRectF(22.5, 8, 1.5, 17), c);
        p.fillRect(QRectF(34.5, 5, 1.5, 17), c);
        p.setPen(QPen(c, 3, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(23.25, 9.5), QPointF(35.25, 6.5));
        break;
    }
    case 1: { // oscilloscope
        TileGrid(p);
        QPainterPath wave;
        for (int i = 0; i <= 84; ++i) {
            const double x = 3 + i * 0.5;
            const double y = 18 - 10 * std::sin(x * 0.42) * (0.55 + 0.45 * std::sin(x * 0.11 + 1));
            i == 0 ? wave.moveTo(x, y) : wave.lineTo(x, y);
        }
        p.strokePath(wave, QPen(QColor(110, 255, 190), 1.3));
        break;
    }
    case 2:
    case 3: { // spectrum analyzers: a line, or a hatched area on even columns
        for (int x : {9, 19, 33}) {
            p.fillRect(x, 4, 1, kTileH - 8, kGrid);
        }
        for (int y : {8, 18, 28}) {
            p.fillRect(3, y, int(kDesignW) - 6, 1, kGrid);
        }
        const QColor c(255, 176, 64);
        if (mode == 3) {
            p.setRenderHint(QPainter::Antialiasing, false);
            for (int x = 4; x < 44; x += 2) {
                const int top = int(std::lround(SpectrumY(x)));
                p.fillRect(x, top, 1, 33 - top, c);
            }
        } else {
            QPainterPath line;
            for (int i = 0; i <= 80; ++i) {
                const double x = 4 + i * 0.5;
                i == 0 ? line.moveTo(x, SpectrumY(x)) : line.lineTo(x, SpectrumY(x));
            }
            p.strokePath(line, QPen(c, 1.3));
        }
        break;
    }
    case 4:
    case 5: { // digital level meters: bars in the bar gradient and yellow peak markers
        p.setRenderHint(QPainter::Antialiasing, false);
        const int levels[8] = {20, 24, 17, 21, 14, 11, 8, 5};
        for (int i = 0; i < 8; ++i) {
            const int x = 5 + i * 5, foot = 32, top = foot - levels[i];
            for (int y = top; y < foot; ++y) {
                p.fillRect(x, y, 4, 1, BarColour((y - 6) / 26.0));
            }
            const int gap = mode == 4 ? 2 : 3 + (i * 5) % 4;
            p.fillRect(x, top - gap - 1, 4, 1, QColor(255, 255, 0));
        }
        PixelText(p, 39, 4, mode == 4 ? "A" : "B", kMuted);
        break;
    }
    case 6: { // analog meter: two small dials
        for (int m = 0; m < 2; ++m) {
            const double cx = 13.5 + m * 21, cy = 27;
            QPainterPath body;
            body.addRoundedRect(QRectF(cx - 10, 8, 20, 20), 3, 3);
            p.fillPath(body, QColor(232, 248, 255));
            p.setPen(QPen(kInk, 1.0));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(cx - 8, cy - 8 - 7, 16, 16 + 0), 30 * 16, 120 * 16);
            const double a = (m == 0 ? 70 : 115) * kPi / 180;
            p.setPen(QPen(m == 0 ? kLeftNeedle : kRightNeedle, 1.2));
            p.drawLine(QPointF(cx, cy), QPointF(cx - 14 * std::cos(a), cy - 14 * std::sin(a)));
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawPie(QRectF(cx - 2.5, cy - 2.5, 5, 5), 0, 180 * 16);
        }
        break;
    }
    case 7: { // spectrogram: a waterfall of drifting harmonics, newest at the right
        p.setRenderHint(QPainter::Antialiasing, false);
        for (int x = 4; x < 44; ++x) {
            const double drift = 2.5 * std::sin(x * 0.22);
            for (int y = 4; y < 32; ++y) {
                double t = 0.18 + 0.1 * std::sin(x * 1.7 + y * 2.3);
                for (int h = 0; h < 3; ++h) {
                    const double row = 27 - h * 8 - drift * (h + 1) * 0.5;
                    t += (0.85 - 0.2 * h) * std::exp(-std::pow((y - row) / 1.3, 2));
                }
                t *= 0.55 + 0.45 * (0.5 + 0.5 * std::sin(x * 0.35));
                p.fillRect(x, y, 1, 1, WaterfallColour(t));
            }
        }
        break;
    }
    case 8: { // loudness meter: two segmented bars with hold marks and clip lights
        p.setRenderHint(QPainter::Antialiasing, false);
        const int lengths[2] = {30, 24};
        for (int c = 0; c < 2; ++c) {
            const int top = 6 + c * 9;
            for (int x = 4; x < 38; x += 3) {
                const QColor lit = x >= 32   ? QColor(240, 64, 48)
                                   : x >= 24 ? QColor(236, 200, 40)
                                             : QColor(56, 208, 96);
                p.fillRect(x, top, 2, 6, x < 4 + lengths[c] ? lit : QColor(40, 40, 40));
            }
            p.fillRect(4 + lengths[c] + 3, top - 1, 1, 8, Qt::white);
            p.fillRect(40, top, 4, 6, c == 0 ? QColor(255, 40, 32) : QColor(70, 12, 10));
        }
        p.fillRect(4, 25, 40, 1, kGrid);
        PixelText(p, 6, 28, "-23.0", kMuted);
        break;
    }
    case 9: { // stereo field: a goniometer's glowing cloud about the mid axis, a correlation bar
        p.setRenderHint(QPainter::Antialiasing, false);
        const QRect scope(6, 3, 30, 30);
        p.fillRect(scope.left() + 15, scope.top(), 1, 30, kGrid);
        p.fillRect(scope.left(), scope.top() + 15, 30, 1, kGrid);
        for (int i = 0; i < 30; ++i) {
            p.fillRect(scope.left() + i, scope.top() + i, 1, 1, kGrid);
            p.fillRect(scope.left() + i, scope.bottom() - i, 1, 1, kGrid);
        }
        for (int i = 0; i < 160; ++i) {
            const double t = i * 0.37;
            const double mid = 12 * std::sin(t) * (0.6 + 0.4 * std::sin(t * 0.13));
            const double side = 4 * std::sin(t * 1.7 + 0.8);
            const double glow = 0.35 + 0.65 * (i % 7) / 6.0;
            p.fillRect(int(std::lround(scope.left() + 15 + side)),
                       int(std::lround(scope.top() + 15 - mid)), 1, 1,
                       QColor(int(180 * glow * glow), int(40 + 215 * glow), int(30 + 130 * glow)));
        }
        p.fillRect(40, 4, 4, 28, QColor(18, 24, 34));
        p.fillRect(40, 4, 4, 11, QColor(56, 208, 96));
        p.fillRect(39, 17, 6, 1, kMuted);
        break;
    }
    default:
        break;
    }
}

QImage ModeTile(int mode, bool highlighted)
{
    QImage image = Canvas(kTileW, kTileH, Qt::black);
    {
        QPainter p(&image);
        TileScreen(p);
        p.scale(kTileW / kDesignW, 1.0);
        DrawModeContent(p, mode);
    }
    if (!highlighted) {
        // Dim and grey the content: mix each pixel's colour with its grey, then darken.
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                const int grey = qGray(c.rgb());
                auto mix = [&](int v) { return int(std::lround((0.35 * v + 0.65 * grey) * 0.62)); };
                image.setPixelColor(x, y, QColor(mix(c.red()), mix(c.green()), mix(c.blue())));
            }
        }
    }
    QPainter p(&image);
    if (highlighted) {
        p.setPen(QPen(QColor(0, 170, 255), 2.0));
        p.drawRect(QRectF(1, 1, kTileW - 2, kTileH - 2));
        p.setPen(QPen(QColor(170, 230, 255), 1.0));
        p.drawRect(QRectF(0.5, 0.5, kTileW - 1, kTileH - 1));
    } else {
        p.setPen(QPen(QColor(86, 110, 132), 1.0));
        p.drawRect(QRectF(0.5, 0.5, kTileW - 1, kTileH - 1));
        p.setPen(QPen(QColor(24, 34, 46), 1.0));
        p.drawRect(QRectF(1.5, 1.5, kTileW - 3, kTileH - 3));
    }
    return image;
}

// ---------------------------------------------------------------------------------------
// Mock-ups of the main window for checking the pictures in place (not part of the program).

QImage LoadOwn(const QString &root, const QString &name)
{
    return QImage(root + "/images/" + name + ".png");
}

void Place(QPainter &p, const QString &root, const QString &name, double leftTw, double topTw)
{
    p.drawImage(QPointF(std::round(leftTw / 15), std::round(topTw / 15)), LoadOwn(root, name));
}

// Draws the window with a w x h picture area (pixels) and the list shown.
QImage MockWindow(const QString &root, int w, int h, bool meter)
{
    const int W = 15 * w, H = 15 * h;
    const int T = int(std::lround(W * 1.25)) + 1200, C = H + 1200;
    QImage image = Canvas(T / 15, C / 15, kWindow);
    QPainter p(&image);
    p.fillRect(0, 0, w, h, Qt::black);
    Place(p, root, "ImageAudio", 0, 0);
    if (meter) {
        Place(p, root, "ImageAlmBack", 0, 1300);
        const double levels[2] = {-7, -18};
        for (int m = 0; m < 2; ++m) {
            const double f = 1 + levels[m] / (20 * kSpanDecades);
            const double a = f * 2 * kPi / 3 + kPi / 6, len = 0.55 * (H - 600);
            const double px = std::round((m == 0 ? 1.0 : 3.0) * W / 4), py = 2925;
            const QPointF tip(px - len * std::cos(a), py - len * std::sin(a));
            p.setPen(m == 0 ? kLeftNeedle : kRightNeedle);
            p.drawLine(QPointF(px, py) / 15, tip / 15);
            p.drawLine(QPointF(px + 15, py) / 15, (tip + QPointF(15, 0)) / 15);
            p.setPen(Qt::white);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(px, py) / 15, 100 / 15.0, 100 / 15.0);
            p.fillRect(QRectF(QPointF(px - 100, py + 15) / 15, QPointF(px + 100, py + 115) / 15),
                       Qt::black);
        }
    }
    // List pane.
    p.fillRect(QRectF(w, 0, (W / 4 + 1200) / 15.0, (H + 60) / 15.0), Qt::white);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(QRectF(w + 0.5, 0.5, (W / 4 + 1200) / 15.0 - 1, (H + 60) / 15.0 - 1));
    p.setPen(Qt::black);
    p.setFont(Font("Noto Sans CJK JP", 12));
    p.drawText(QPointF(w + 4, 14), "sample.mp3");
    // Position track.
    p.fillRect(QRectF(840 / 15.0, (H + 120) / 15.0, 3015 / 15.0, 9), Qt::white);
    Place(p, root, "PicPos", 750 + 900, H + 60);
    Place(p, root, "ImagePlay_1", 120, H + 120);
    Place(p, root, "ImageBack_0", 840, H + 360);
    Place(p, root, "ImageStep_1", 1440, H + 360);
    Place(p, root, "ImagePrev_0", 960, H + 780);
    Place(p, root, "ImageNext_0", 1560, H + 780);
    Place(p, root, "ImageStop_0", 2160, H + 660);
    Place(p, root, "ImageSpeed_1", 2060, H + 330);
    const int R = T;
    Place(p, root, "PicFull", R - 300, H + 60);
    Place(p, root, "PicRsl", R - 300, H + 480);
    Place(p, root, "PicPM", R - 720, H + 480);
    Place(p, root, "ImageSize_0", R - 300, C - 300);
    Place(p, root, "PicVsa", R - 720, C - 300);
    Place(p, root, "PicInfo", R - 1140, C - 300);
    // Labels.
    p.setPen(kInk);
    p.setFont(Font("Liberation Serif", 19, QFont::Bold, true));
    p.drawText(QRectF(120 / 15.0, (H + 780) / 15.0, 735 / 15.0, 255 / 15.0), Qt::AlignCenter,
               "01:23");
    p.setFont(Font("Noto Sans CJK JP", 16, QFont::Bold));
    const QRectF title(2760 / 15.0, (H + 330) / 15.0, (R - 3600) / 15.0, 240 / 15.0);
    p.setPen(QColor(192, 192, 192));
    p.drawText(title.translated(2, 2), Qt::AlignCenter, "Lumo \"sorvane\"");
    p.setPen(kInk);
    p.drawText(title, Qt::AlignCenter, "Lumo \"sorvane\"");
    p.setFont(Font("Noto Sans CJK JP", 12));
    p.drawText(QRectF(2760 / 15.0, (H + 750) / 15.0, 1155 / 15.0, 345 / 15.0), Qt::AlignCenter,
               "全体再生");
    return image;
}

// Draws the analyzer panel's mode strip with mode `current` highlighted.
QImage MockPanel(const QString &root, int current)
{
    QImage image = Canvas(353, 240, QColor(239, 239, 239));
    QPainter p(&image);
    for (int i = 0; i < 10; ++i) {
        const QString name = QString("Image%1_%2").arg(i == current ? 1 : 2).arg(i);
        Place(p, root, name, 120 + 504 * i, 600);
    }
    return image;
}

} // namespace

// The pictures of the windows, at the scale in force.
void SavePictures(Writer &out)
{
    // Transport buttons: index 0 normal, index 1 pressed.
    for (int pressed = 0; pressed < 2; ++pressed) {
        const QString n = QString::number(pressed);
        const bool down = pressed == 1;
        out.Save(Button(40, 40, PlayShape(), down, PlayGlyph), "images/ImagePlay_" + n + ".png");
        out.Save(Button(30, 30, StopShape(), down, StopGlyph), "images/ImageStop_" + n + ".png");
        out.Save(Button(33, 20, PillShape(), down, BackGlyph), "images/ImageBack_" + n + ".png");
        out.Save(Button(33, 20, PillShape(), down,
                        [](QPainter &p, const QColor &c) {
                            MirrorX(p, 16.5);
                            BackGlyph(p, c);
                        }),
                 "images/ImageStep_" + n + ".png");
        out.Save(Button(33, 20, PillShape(), down, PrevGlyph), "images/ImagePrev_" + n + ".png");
        out.Save(Button(33, 20, PillShape(), down,
                        [](QPainter &p, const QColor &c) {
                            MirrorX(p, 16.5);
                            PrevGlyph(p, c);
                        }),
                 "images/ImageNext_" + n + ".png");
    }
    for (int i = 0; i < 3; ++i) {
        out.Save(SpeedDial(i), QString("images/ImageSpeed_%1.png").arg(i));
    }
    for (int i = 0; i < 2; ++i) {
        out.Save(SmallButton([i](QPainter &p, const QColor &c) { SizeGlyph(p, c, i == 0); }),
                 QString("images/ImageSize_%1.png").arg(i));
    }
    out.Save(SmallButton(FullGlyph), "images/PicFull.png");
    out.Save(SmallButton(RslGlyph), "images/PicRsl.png");
    out.Save(SmallButton(PmGlyph), "images/PicPM.png");
    out.Save(SmallButton(VsaGlyph), "images/PicVsa.png");
    out.Save(SmallButton(InfoGlyph), "images/PicInfo.png");
    out.Save(Knob(), "images/PicPos.png");

    out.Save(AudioPicture(), "images/ImageAudio.png");
    out.Save(MeterFace(), "images/ImageAlmBack.png");
    out.Save(BarImage(), "images/ImageBar.png");
    for (int mode = 0; mode < 10; ++mode) {
        out.Save(ModeTile(mode, true), QString("images/Image1_%1.png").arg(mode));
        out.Save(ModeTile(mode, false), QString("images/Image2_%1.png").arg(mode));
    }
    out.Save(Logo(), "images/ImageLogo.png");
}

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_artwork RESOURCE_DIR [PREVIEW_DIR]\n");
        return 2;
    }
    Writer out{QString::fromLocal8Bit(argv[1]), true, QString()};

    // Every picture of the windows at 1x, then at 2x for the screens of a ratio above 1.
    for (const int scale : {1, 2}) {
        gScale = scale;
        out.suffix = scale == 1 ? QString() : QStringLiteral("@2x");
        SavePictures(out);
    }
    gScale = 1;
    out.suffix.clear();

    out.Save(Icon(32), "images/lumo.png", true);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage icon = Icon(size);
        out.Save(icon, QString("icons/hicolor/%1x%1/apps/lumo.png").arg(size), true);
    }
    QDir().mkpath(out.root + "/icons/hicolor/scalable/apps");
    QFile svg(out.root + "/icons/hicolor/scalable/apps/lumo.svg");
    if (svg.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        svg.write(IconSvg().toUtf8());
    } else {
        out.ok = false;
    }

    if (argc > 2) {
        Writer preview{QString::fromLocal8Bit(argv[2]), true, QString()};
        preview.Save(MockWindow(out.root, 320, 240, false), "mock_window.png");
        preview.Save(MockWindow(out.root, 400, 240, true), "mock_meter.png");
        preview.Save(MockPanel(out.root, 2), "mock_panel.png");
        out.ok = out.ok && preview.ok;
    }
    return out.ok ? 0 : 1;
}
