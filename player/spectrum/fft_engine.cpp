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
