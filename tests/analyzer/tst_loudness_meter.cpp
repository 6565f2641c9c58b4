#include "analyzer/loudness_meter.h"

#include "support/test_signals.h"

#include <ebur128.h>

#include <QImage>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

// The loudness meter's measurements from known signals, and what it feeds libebur128.
class TestLoudnessMeter : public QObject
{
    Q_OBJECT

private slots:
    void sineReadsItsLevels_data();
    void sineReadsItsLevels();
    void readingsAgreeWithLibebur128_data();
    void readingsAgreeWithLibebur128();
    void everySampleIsFedOnce_data();
    void everySampleIsFedOnce();
    void clipLightHoldsTwoSeconds();
    void readsEbuTestSignals_data();
    void readsEbuTestSignals();
};

namespace {

constexpr int kRate = 48000;

// Parts of a signal as (seconds, dBFS).
using Sections = QList<QPair<int, double>>;

// Windows handed to the meter as (first frame, frame count).
using Windows = QList<QPair<int, int>>;

// One part of a stereo test signal: the same sine in both channels, its peak in dBFS; the
// phase runs on from part to part.
struct Tone
{
    double seconds = 0;
    double dbfs = 0;
    double frequency = 1000;
    double phaseDegrees = 0;
};
using Tones = QList<Tone>;

// The reading an EBU test signal checks.
enum class EbuReading { Momentary, ShortTerm, Integrated, Range, TruePeak };

double Amplitude(double dbfs)
{
    return 32768.0 * std::pow(10.0, dbfs / 20.0);
}

// Plays `frames` in 40 ms ticks, each tick handing the meter the last 200 ms, as the window
// does; returns the steady time after the last tick.
double Play(LoudnessState &meter, const std::vector<uint32_t> &frames, double startMs = 0)
{
    const int tick = kRate / 25, span = kRate / 5;
    double now = startMs;
    for (std::size_t end = tick; end <= frames.size(); end += tick, now += 40) {
        const std::size_t first = end > std::size_t(span) ? end - span : 0;
        SampleWindow w;
        w.sampleKind = 1;
        w.stereo16 = std::span<const uint32_t>(frames.data() + first, end - first);
        meter.Feed(w, kRate, static_cast<int64_t>(first), now);
    }
    return now;
}

SampleWindow Slice(const std::vector<uint32_t> &frames, std::size_t first, std::size_t count)
{
    SampleWindow w;
    w.sampleKind = 1;
    w.stereo16 = std::span<const uint32_t>(frames.data() + first, count);
    return w;
}

} // namespace

Q_DECLARE_METATYPE(Tone)
Q_DECLARE_METATYPE(EbuReading)

void TestLoudnessMeter::sineReadsItsLevels_data()
{
    QTest::addColumn<double>("frequency");
    QTest::addColumn<double>("dbfs");
    QTest::addColumn<double>("peak");
    QTest::addColumn<double>("rms");
    QTest::addColumn<double>("lufs");
    QTest::newRow("1 kHz at -6 dBFS") << 1000.0 << -6.0 << -6.0 << -9.0 << -6.0;
    QTest::newRow("997 Hz at -23 dBFS") << 997.0 << -23.0 << -23.0 << -26.0 << -23.0;
    QTest::newRow("997 Hz at -40 dBFS") << 997.0 << -40.0 << -40.0 << -43.0 << -40.0;
}

void TestLoudnessMeter::sineReadsItsLevels()
{
    QFETCH(double, frequency);
    QFETCH(double, dbfs);
    QFETCH(double, peak);
    QFETCH(double, rms);
    QFETCH(double, lufs);
    const std::vector<int16_t> sine = Sine(frequency, kRate, kRate * 6, Amplitude(dbfs));
    const std::vector<uint32_t> frames = Stereo(sine, sine);
    LoudnessState meter;
    const double now = Play(meter, frames);
    for (int c = 0; c < 2; ++c) {
        QVERIFY2(std::fabs(meter.PeakDb(c) - peak) < 0.1,
                 qPrintable(QString::number(meter.PeakDb(c))));
        QVERIFY2(std::fabs(meter.RmsDb(c) - rms) < 0.2,
                 qPrintable(QString::number(meter.RmsDb(c))));
        QVERIFY(!meter.ClipLit(c, now));
    }
    QVERIFY(meter.Integrated() && std::fabs(*meter.Integrated() - lufs) < 0.2);
    QVERIFY(meter.Momentary() && std::fabs(*meter.Momentary() - lufs) < 0.2);
    QVERIFY(meter.ShortTerm() && std::fabs(*meter.ShortTerm() - lufs) < 0.2);
    QVERIFY(meter.Range() && *meter.Range() < 0.5);

    // The picture: the hold mark sits where the scale puts the peak, the integrated reading
    // is printed with one decimal.
    QImage image(400, 240, QImage::Format_RGB32);
    QPainter painter(&image);
    LoudnessPictures pictures;
    DrawLoudnessFrame(painter, meter, pictures, 400, 240, now);
    painter.end();
    const int left = 28, right = 400 - 80;
    const int x = left + static_cast<int>(std::lround((peak + 60.0) / 60.0 * (right - left)));
    bool mark = false;
    for (int dx = -2; dx <= 1; ++dx)
        mark = mark || image.pixel(x + dx, 22) == qRgb(255, 255, 255);
    QVERIFY2(mark, "no hold mark at the peak");
    QCOMPARE(image.pixel(right - 4, 22) == qRgb(40, 40, 40), peak < -1.0);
}

void TestLoudnessMeter::readingsAgreeWithLibebur128_data()
{
    // Sections of (seconds, dBFS) of a two-tone signal with noise; mono or stereo.
    QTest::addColumn<Sections>("sections");
    QTest::addColumn<bool>("stereo");
    QTest::newRow("steady") << Sections{{8, -20.0}} << true;
    QTest::newRow("quiet, loud, quiet") << Sections{{10, -32.0}, {10, -14.0}, {10, -26.0}} << true;
    QTest::newRow("mono steps") << Sections{{8, -18.0}, {8, -30.0}} << false;
}

// The momentary and short-term loudness and the range, which the meter works out itself, read
// as libebur128 reads them for the same samples (the range to within its coarser steps).
void TestLoudnessMeter::readingsAgreeWithLibebur128()
{
    QFETCH(Sections, sections);
    QFETCH(bool, stereo);
    std::vector<int16_t> left, right;
    uint32_t noise = 1;
    for (const auto &[seconds, dbfs] : sections) {
        const double a = Amplitude(dbfs);
        for (int i = 0; i < seconds * kRate; ++i) {
            noise = noise * 1103515245u + 12345u;
            const double n = (static_cast<int>((noise >> 16) & 0x7FFF) - 16384) / 16384.0;
            const double t = double(left.size()) / kRate;
            left.push_back(
                static_cast<int16_t>(a * (0.5 * std::sin(2 * M_PI * 90 * t) +
                                          0.3 * std::sin(2 * M_PI * 5000 * t) + 0.2 * n)));
            right.push_back(
                static_cast<int16_t>(a * (0.6 * std::sin(2 * M_PI * 440 * t) + 0.3 * n)));
        }
    }
    LoudnessState meter;
    const int channels = stereo ? 2 : 1;
    std::vector<int16_t> samples;
    if (stereo) {
        const std::vector<uint32_t> frames = Stereo(left, right);
        Play(meter, frames);
        for (std::size_t i = 0; i < left.size(); ++i)
            samples.insert(samples.end(), {left[i], right[i]});
    } else {
        const int tick = kRate / 25;
        double now = 0;
        for (std::size_t end = tick; end <= left.size(); end += tick, now += 40) {
            SampleWindow w;
            w.sampleKind = 2;
            w.mono16 = std::span<const int16_t>(left.data() + end - tick, tick);
            meter.Feed(w, kRate, static_cast<int64_t>(end - tick), now);
        }
        samples = left;
    }
    // The readings refresh at their own rates: one more tick at the end brings all of them up.
    ebur128_state *reference =
        ebur128_init(static_cast<unsigned>(channels), kRate,
                     EBUR128_MODE_M | EBUR128_MODE_S | EBUR128_MODE_LRA | EBUR128_MODE_HISTOGRAM);
    ebur128_add_frames_short(reference, samples.data(), left.size());
    double momentary = 0, shortTerm = 0, range = 0;
    ebur128_loudness_momentary(reference, &momentary);
    ebur128_loudness_shortterm(reference, &shortTerm);
    ebur128_loudness_range(reference, &range);
    ebur128_destroy(&reference);
    SampleWindow none;
    none.sampleKind = stereo ? 1 : 2;
    meter.Feed(none, kRate, static_cast<int64_t>(left.size()), 1e9);

    QVERIFY(meter.Momentary() && meter.ShortTerm() && meter.Range());
    QVERIFY2(std::fabs(*meter.Momentary() - momentary) < 0.1,
             qPrintable(QStringLiteral("%1 %2").arg(*meter.Momentary()).arg(momentary)));
    QVERIFY2(std::fabs(*meter.ShortTerm() - shortTerm) < 0.1,
             qPrintable(QStringLiteral("%1 %2").arg(*meter.ShortTerm()).arg(shortTerm)));
    QVERIFY2(std::fabs(*meter.Range() - range) < 0.6,
             qPrintable(QStringLiteral("%1 %2").arg(*meter.Range()).arg(range)));
}

void TestLoudnessMeter::everySampleIsFedOnce_data()
{
    // Windows as (first frame, frame count), in the order the ticks hand them over.
    QTest::addColumn<Windows>("windows");
    QTest::addColumn<int>("fed");
    QTest::newRow("overlapping") << Windows{{0, 9600}, {1920, 9600}, {3840, 9600}} << 13440;
    QTest::newRow("paused") << Windows{{0, 9600}, {0, 9600}, {0, 9600}} << 9600;
    QTest::newRow("seek back") << Windows{{48000, 9600}, {0, 9600}, {1920, 9600}} << 9600;
    QTest::newRow("gap skipped") << Windows{{0, 9600}, {96000, 9600}} << 19200;
    QTest::newRow("back, then past the mark")
        << Windows{{9600, 9600}, {0, 9600}, {14400, 9600}} << 9600 + 4800;
}

void TestLoudnessMeter::everySampleIsFedOnce()
{
    QFETCH(Windows, windows);
    QFETCH(int, fed);
    const std::vector<int16_t> sine = Sine(440, kRate, 200000, 8000);
    const std::vector<uint32_t> frames = Stereo(sine, sine);
    LoudnessState meter;
    double now = 0;
    for (const auto &[first, count] : windows) {
        meter.Feed(Slice(frames, std::size_t(first), std::size_t(count)), kRate, first, now);
        now += 40;
    }
    QCOMPARE(meter.FedFrames(), fed);
    meter.Restart();
    QCOMPARE(meter.FedFrames(), 0);
    QVERIFY(!meter.Integrated());
}

void TestLoudnessMeter::clipLightHoldsTwoSeconds()
{
    std::vector<int16_t> loud = Sine(1000, kRate, kRate, 8000);
    loud[100] = 32767; // -0.0003 dBFS
    const std::vector<uint32_t> frames = Stereo(loud, std::vector<int16_t>(loud.size(), 0));
    LoudnessState meter;
    meter.Feed(Slice(frames, 0, 1920), kRate, 0, 1000);
    QVERIFY(meter.ClipLit(0, 1000));
    QVERIFY(meter.ClipLit(0, 2990));
    QVERIFY(!meter.ClipLit(0, 3010));
    QVERIFY(!meter.ClipLit(1, 1000));
    // The hold mark keeps the peak for 1.5 s while the bar falls.
    meter.Feed(Slice(frames, 1920, 1920), kRate, 1920, 2000);
    QVERIFY(meter.HoldDb(0) > -0.1);
    QVERIFY(meter.PeakDb(0) < -10.0);
    meter.Feed(Slice(frames, 3840, 1920), kRate, 3840, 2600);
    QVERIFY(meter.HoldDb(0) < -10.0);
}

namespace {

// Tones repeated `times` times one after the other.
Tones Repeated(const Tones &period, int times)
{
    Tones all;
    for (int i = 0; i < times; ++i)
        all += period;
    return all;
}

// The test signal as 16-bit stereo frames at kRate. It rises over its first 10 ms and falls
// over its last (a raised cosine): a sine that starts at full height overshoots between its
// first samples, which a true-peak meter rightly reads.
std::vector<uint32_t> Synthesise(const Tones &tones)
{
    std::vector<double> signal;
    for (const Tone &tone : tones) {
        const auto count = static_cast<std::size_t>(std::lround(tone.seconds * kRate));
        const double a = Amplitude(tone.dbfs);
        const double phase = tone.phaseDegrees * M_PI / 180.0;
        for (std::size_t i = 0; i < count; ++i) {
            const double t = double(signal.size()) / kRate;
            signal.push_back(a * std::sin(2 * M_PI * tone.frequency * t + phase));
        }
    }
    const std::size_t ramp = std::min<std::size_t>(kRate / 100, signal.size() / 2);
    for (std::size_t i = 0; i < ramp; ++i) {
        const double gain = 0.5 - 0.5 * std::cos(M_PI * double(i) / double(ramp));
        signal[i] *= gain;
        signal[signal.size() - 1 - i] *= gain;
    }
    std::vector<int16_t> samples(signal.size());
    for (std::size_t i = 0; i < signal.size(); ++i)
        samples[i] = static_cast<int16_t>(std::clamp(std::round(signal[i]), -32768.0, 32767.0));
    return Stereo(samples, samples);
}

} // namespace

void TestLoudnessMeter::readsEbuTestSignals_data()
{
    QTest::addColumn<Tones>("tones");
    QTest::addColumn<EbuReading>("reading");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("below"); // tolerance under the expected value
    QTest::addColumn<double>("above"); // and over it
    // Momentary and short-term readings must hold the value at every refresh from here on
    // (seconds); the others are read at the end.
    QTest::addColumn<double>("from");
    using R = EbuReading;
    const Tones steady23{{20, -23}}, steady33{{20, -33}};
    // EBU Tech 3341: the meter's minimum requirements.
    QTest::newRow("3341-1 M") << steady23 << R::Momentary << -23.0 << 0.1 << 0.1 << 1.0;
    QTest::newRow("3341-1 S") << steady23 << R::ShortTerm << -23.0 << 0.1 << 0.1 << 3.0;
    QTest::newRow("3341-1 I") << steady23 << R::Integrated << -23.0 << 0.1 << 0.1 << 0.0;
    QTest::newRow("3341-2 M") << steady33 << R::Momentary << -33.0 << 0.1 << 0.1 << 1.0;
    QTest::newRow("3341-2 S") << steady33 << R::ShortTerm << -33.0 << 0.1 << 0.1 << 3.0;
    QTest::newRow("3341-2 I") << steady33 << R::Integrated << -33.0 << 0.1 << 0.1 << 0.0;
    QTest::newRow("3341-3") << Tones{{10, -36}, {60, -23}, {10, -36}} << R::Integrated << -23.0
                            << 0.1 << 0.1 << 0.0;
    QTest::newRow("3341-4") << Tones{{10, -72}, {10, -36}, {60, -23}, {10, -36}, {10, -72}}
                            << R::Integrated << -23.0 << 0.1 << 0.1 << 0.0;
    QTest::newRow("3341-5") << Tones{{20, -26}, {20.1, -20}, {20, -26}} << R::Integrated << -23.0
                            << 0.1 << 0.1 << 0.0;
    QTest::newRow("3341-9") << Repeated({{1.34, -20}, {1.66, -30}}, 5) << R::ShortTerm << -23.0
                            << 0.1 << 0.1 << 3.0;
    QTest::newRow("3341-12") << Repeated({{0.18, -20}, {0.22, -30}}, 25) << R::Momentary << -23.0
                             << 0.1 << 0.1 << 1.0;
    // True peak at 48 kHz: sines whose samples miss their peaks.
    QTest::newRow("3341-15") << Tones{{1, -6, 12000, 0}} << R::TruePeak << -6.0 << 0.4 << 0.2
                             << 0.0;
    QTest::newRow("3341-16") << Tones{{1, -6, 12000, 45}} << R::TruePeak << -6.0 << 0.4 << 0.2
                             << 0.0;
    QTest::newRow("3341-17") << Tones{{1, -6, 8000, 60}} << R::TruePeak << -6.0 << 0.4 << 0.2
                             << 0.0;
    QTest::newRow("3341-18") << Tones{{1, -6, 6000, 67.5}} << R::TruePeak << -6.0 << 0.4 << 0.2
                             << 0.0;
    QTest::newRow("3341-19") << Tones{{1, 20 * std::log10(std::sqrt(2.0)), 12000, 45}}
                             << R::TruePeak << 3.0 << 0.4 << 0.2 << 0.0;
    // EBU Tech 3342: loudness range.
    QTest::newRow("3342-1") << Tones{{20, -20}, {20, -30}} << R::Range << 10.0 << 1.0 << 1.0 << 0.0;
    QTest::newRow("3342-2") << Tones{{20, -20}, {20, -15}} << R::Range << 5.0 << 1.0 << 1.0 << 0.0;
    QTest::newRow("3342-3") << Tones{{20, -40}, {20, -20}} << R::Range << 20.0 << 1.0 << 1.0 << 0.0;
    QTest::newRow("3342-4") << Tones{{20, -50}, {20, -35}, {20, -20}, {20, -35}, {20, -50}}
                            << R::Range << 15.0 << 1.0 << 1.0 << 0.0;
}

// The EBU test signals that can be made from their descriptions, played through the meter as
// the window plays a file (40 ms ticks, the last 200 ms each time), read with the documents'
// tolerances.
void TestLoudnessMeter::readsEbuTestSignals()
{
    QFETCH(Tones, tones);
    QFETCH(EbuReading, reading);
    QFETCH(double, expected);
    QFETCH(double, below);
    QFETCH(double, above);
    QFETCH(double, from);
    const std::vector<uint32_t> frames = Synthesise(tones);
    const auto within = [&](const std::optional<double> &value, double at) {
        return value && *value >= expected - below - 1e-9 && *value <= expected + above + 1e-9
                   ? QString()
                   : QStringLiteral("%1 at %2 s").arg(value ? *value : -999.0).arg(at);
    };
    LoudnessState meter;
    const std::size_t tick = kRate / 25, span = kRate / 5;
    double now = 0;
    for (std::size_t end = tick; end <= frames.size(); end += tick, now += 40) {
        const std::size_t first = end > span ? end - span : 0;
        // The last tick comes late enough to bring every reading up to the end.
        const double time = end + tick > frames.size() ? now + 1000 : now;
        meter.Feed(Slice(frames, first, end - first), kRate, static_cast<int64_t>(first), time);
        const double at = double(end) / kRate;
        if (at < from || (reading != EbuReading::Momentary && reading != EbuReading::ShortTerm))
            continue;
        const QString fault =
            within(reading == EbuReading::Momentary ? meter.Momentary() : meter.ShortTerm(), at);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
    const double at = double(frames.size()) / kRate;
    switch (reading) {
    case EbuReading::Integrated:
        QVERIFY2(within(meter.Integrated(), at).isEmpty(),
                 qPrintable(within(meter.Integrated(), at)));
        break;
    case EbuReading::Range:
        QVERIFY2(within(meter.Range(), at).isEmpty(), qPrintable(within(meter.Range(), at)));
        break;
    case EbuReading::TruePeak:
        for (int c = 0; c < 2; ++c)
            QVERIFY2(within(meter.MaxTruePeakDb(c), at).isEmpty(),
                     qPrintable(within(meter.MaxTruePeakDb(c), at)));
        break;
    default:
        break;
    }
}

QTEST_MAIN(TestLoudnessMeter)
#include "tst_loudness_meter.moc"
