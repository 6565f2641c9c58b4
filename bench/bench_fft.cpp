// fft_double of the fft module against bare FFTW executes of the same length.
#include "fft/fft_double.h"
#include "support/cold_cache.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <QFileInfo>
#include <QLibrary>

#include <cmath>
#include <vector>

namespace {

using Routine = decltype(&fft_double);

// A routine of the fft module beside the benchmark, or null.
template <typename Function> Function Resolve(const char *name)
{
    static QLibrary library(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() +
                            QStringLiteral("/libfft.so"));
    return reinterpret_cast<Function>(library.resolve(name));
}

Routine FftDouble()
{
    static auto routine = Resolve<Routine>("fft_double");
    return routine;
}

// The second channel of the dual benchmarks.
double RightSample(int i)
{
    return 7000 * std::sin(0.05 * i) + 2000 * std::sin(0.9 * i);
}

// Times `transform`, which writes to `out`; with `cold`, the core's caches are pushed out before
// each run, as other work does between frames in the running player.
template <typename Transform>
void TimeTransform(benchmark::State &state, bool cold, const void *out, Transform transform)
{
    transform(); // plans outside the timing
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            PushOutCoreCaches();
            state.ResumeTiming();
        }
        transform();
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
}

std::vector<double> Signal(int n)
{
    std::vector<double> x(static_cast<std::size_t>(n) + 1, 0.0);
    for (int i = 0; i < n; ++i)
        x[static_cast<std::size_t>(i)] = 20000 * std::sin(0.1 * i) + 3000 * std::sin(1.7 * i);
    return x;
}

// What the displays do: real samples, zero imaginary part, full unscaled spectrum out.
void BM_FftDouble(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    Routine fft = FftDouble();
    if (!fft) {
        state.SkipWithError("libfft.so not found beside the benchmark");
        return;
    }
    std::vector<double> xr = Signal(n), xi(n + 1, 0.0), yr(n + 1), yi(n + 1);
    TimeTransform(state, false, yr.data(),
                  [&] { fft(n, 0, xr.data(), xi.data(), yr.data(), yi.data()); });
}

// Both channels at once, as the dual displays transform them: a complex input. Argument 1
// pushes the arrays out of the core's caches before each transform, as in the running player.
void BM_FftDoubleDual(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    const bool cold = state.range(1) != 0;
    Routine fft = FftDouble();
    if (!fft) {
        state.SkipWithError("libfft.so not found beside the benchmark");
        return;
    }
    std::vector<double> xr = Signal(n), xi(n + 1), yr(n + 1), yi(n + 1);
    for (int i = 0; i < n; ++i)
        xi[static_cast<std::size_t>(i)] = RightSample(i);
    TimeTransform(state, cold, yr.data(),
                  [&] { fft(n, 0, xr.data(), xi.data(), yr.data(), yi.data()); });
}

// The dual transform in single precision on interleaved values, as the displays now call it.
void BM_FftFloatDual(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    const bool cold = state.range(1) != 0;
    const auto fft = Resolve<decltype(&fft_float)>("fft_float");
    if (!fft) {
        state.SkipWithError("fft_float not found beside the benchmark");
        return;
    }
    const std::vector<double> left = Signal(n);
    std::vector<float> x(2 * static_cast<std::size_t>(n)), y(x.size());
    for (int i = 0; i < n; ++i) {
        x[2 * static_cast<std::size_t>(i)] = static_cast<float>(left[static_cast<std::size_t>(i)]);
        x[2 * static_cast<std::size_t>(i) + 1] = static_cast<float>(RightSample(i));
    }
    TimeTransform(state, cold, y.data(), [&] { fft(n, x.data(), y.data()); });
}

// A bare complex split-format transform of the same length, planned beforehand.
void BM_BareFftwComplex(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    double *a = fftw_alloc_real(n), *b = fftw_alloc_real(n), *c = fftw_alloc_real(n),
           *d = fftw_alloc_real(n);
    fftw_iodim dim{n, 1, 1};
    fftw_plan plan = fftw_plan_guru_split_dft(1, &dim, 0, nullptr, a, b, c, d, FFTW_MEASURE);
    const std::vector<double> x = Signal(n);
    std::copy(x.begin(), x.begin() + n, a);
    std::fill(b, b + n, 0.0);
    for (auto _ : state) {
        fftw_execute(plan);
        benchmark::DoNotOptimize(c);
        benchmark::ClobberMemory();
    }
    fftw_destroy_plan(plan);
    for (double *p : {a, b, c, d})
        fftw_free(p);
}

// A bare real-input split-format transform (half the spectrum), planned beforehand.
void BM_BareFftwReal(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    double *a = fftw_alloc_real(n), *c = fftw_alloc_real(n), *d = fftw_alloc_real(n);
    fftw_iodim dim{n, 1, 1};
    fftw_plan plan = fftw_plan_guru_split_dft_r2c(1, &dim, 0, nullptr, a, c, d, FFTW_MEASURE);
    const std::vector<double> x = Signal(n);
    std::copy(x.begin(), x.begin() + n, a);
    for (auto _ : state) {
        fftw_execute(plan);
        benchmark::DoNotOptimize(c);
        benchmark::ClobberMemory();
    }
    fftw_destroy_plan(plan);
    for (double *p : {a, c, d})
        fftw_free(p);
}

} // namespace

BENCHMARK(BM_FftDouble)->RangeMultiplier(4)->Range(1024, 16384);
BENCHMARK(BM_FftDoubleDual)->ArgsProduct({{1024, 4096, 16384}, {0, 1}});
BENCHMARK(BM_FftFloatDual)->ArgsProduct({{1024, 4096, 16384}, {0, 1}});
BENCHMARK(BM_BareFftwComplex)->RangeMultiplier(4)->Range(1024, 16384);
BENCHMARK(BM_BareFftwReal)->RangeMultiplier(4)->Range(1024, 16384);
