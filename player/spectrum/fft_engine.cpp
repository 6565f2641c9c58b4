#include "spectrum/fft_engine.h"

#include "base/steady_clock.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

constexpr int64_t kRetryIntervalMs = 1000;

QString ModuleDirectory(const QString &directory)
{
    if (!directory.isEmpty())
        return directory;
    return QCoreApplication::applicationDirPath();
}

} // namespace

FftEngine::FftEngine(QString directory, Clock clock)
    : directory_(std::move(directory)), clock_(std::move(clock))
{
    if (!clock_)
        clock_ = SteadyMilliseconds;
}

QString FftEngine::ModulePath(const QString &directory)
{
    return ModuleDirectory(directory) + QStringLiteral("/libfft.so");
}

bool FftEngine::ModulePresent(const QString &directory)
{
    const QFileInfo info(ModulePath(directory));
    return info.isFile() && info.size() > 0;
}

bool FftEngine::Bind()
{
    const int64_t now = clock_();
    if (searched_ && now - lastSearch_ < kRetryIntervalMs)
        return false;
    searched_ = true;
    lastSearch_ = now;
    ++searches_;
    if (!ModulePresent(directory_))
        return false;
    library_.setFileName(ModulePath(directory_));
    routine_ = reinterpret_cast<Routine>(library_.resolve("fft_double"));
    floatRoutine_ =
        routine_ ? reinterpret_cast<FloatRoutine>(library_.resolve("fft_float")) : nullptr;
    if (!routine_)
        library_.unload();
    return routine_ != nullptr;
}

bool FftEngine::Transform(int32_t n, double *xr, double *xi, double *yr, double *yi)
{
    if (n <= 0)
        return false;
    if (!routine_ && !Bind()) {
        std::fill(yr, yr + n, 0.0);
        std::fill(yi, yi + n, 0.0);
        return false;
    }
    routine_(n, 0, xr, xi, yr, yi);
    return true;
}

bool FftEngine::Transform(int32_t n, const float *x, float *y)
{
    if (n <= 0)
        return false;
    const auto size = static_cast<std::size_t>(n);
    if (!routine_ && !Bind()) {
        std::fill(y, y + 2 * size, 0.0f);
        return false;
    }
    if (floatRoutine_) {
        floatRoutine_(n, x, y);
        return true;
    }
    split_.resize(4 * size);
    double *xr = split_.data(), *xi = xr + size, *yr = xi + size, *yi = yr + size;
    for (std::size_t k = 0; k < size; ++k) {
        xr[k] = x[2 * k];
        xi[k] = x[2 * k + 1];
    }
    routine_(n, 0, xr, xi, yr, yi);
    for (std::size_t k = 0; k < size; ++k) {
        y[2 * k] = static_cast<float>(yr[k]);
        y[2 * k + 1] = static_cast<float>(yi[k]);
    }
    return true;
}
