#pragma once

#include "fft/fft_double.h"

#include <QLibrary>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// Binds `fft_double` of the fft module by name at run time and calls it, and `fft_float` when the
// module has it. While the module or `fft_double` cannot be found, each transform leaves its
// outputs zero, and the module is looked for again at most once a second.
class FftEngine
{
public:
    using Routine = decltype(&fft_double);
    using FloatRoutine = decltype(&fft_float);
    using Clock = std::function<int64_t()>;

    // directory: where the module lies; empty means the program's own directory.
    // clock: steady milliseconds; empty means the system's steady clock.
    explicit FftEngine(QString directory = QString(), Clock clock = Clock());

    // Unscaled forward transform of n points of (xr, xi) into (yr, yi). When the routine is not
    // bound, yr and yi are set to zero for 0 to n - 1 and the result is false.
    bool Transform(int32_t n, double *xr, double *xi, double *yr, double *yi);
    // The same transform of n interleaved single-precision points x (2n floats) into y, through
    // `fft_float`, or through `fft_double` for a module without it. When neither is bound, y is
    // set to zero and the result is false.
    bool Transform(int32_t n, const float *x, float *y);

    bool IsBound() const { return routine_ != nullptr; }
    // How many times the module has been looked for on disk.
    int SearchCount() const { return searches_; }

    // Full path of the module in a directory (empty: the program's own directory).
    static QString ModulePath(const QString &directory = QString());
    // The module file exists and is not empty.
    static bool ModulePresent(const QString &directory = QString());

private:
    bool Bind();

    QString directory_;
    Clock clock_;
    QLibrary library_;
    Routine routine_ = nullptr;
    FloatRoutine floatRoutine_ = nullptr;
    std::vector<double> split_; // xr, xi, yr, yi for a module without `fft_float`
    int searches_ = 0;
    bool searched_ = false;
    int64_t lastSearch_ = 0;
};
