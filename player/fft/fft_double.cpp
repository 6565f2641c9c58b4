// Unscaled forward discrete Fourier transform, exported for the player's analyzer displays.
#include "fft/fft_double.h"

#include "fft/plan_cache.h"

#include <fftw3.h>

#include <bit>
#include <cstdint>

namespace {

// True when every value is +0 or -0 (NaN and everything else count as non-zero). Works on the
// bit patterns without the sign bit, in runs that vectorise; stops after the first run that
// holds a non-zero value.
bool AllZero(const double *values, int n)
{
    constexpr int kRun = 64;
    for (int start = 0; start < n; start += kRun) {
        const int end = start + kRun < n ? start + kRun : n;
        std::uint64_t bits = 0;
        for (int i = start; i < end; ++i)
            bits |= std::bit_cast<std::uint64_t>(values[i]) << 1;
        if (bits != 0)
            return false;
    }
    return true;
}

} // namespace

// A real input (xi all zero) takes the half-length real transform.
void fft_double(std::int32_t n, std::int32_t flag, double *xr, double *xi, double *yr, double *yi)
{
    (void)flag;
    if (n <= 0 || !xr || !xi || !yr || !yi)
        return;
    if (AllZero(xi, n)) {
        PlanCache::Instance().ExecuteReal(n, xr, yr, yi);
    } else {
        PlanCache::Instance().ExecuteComplex(n, xr, xi, yr, yi);
    }
}

void fft_float(std::int32_t n, const float *x, float *y)
{
    if (n <= 0 || !x || !y)
        return;
    PlanCache::Instance().ExecuteFloat(n, x, y);
}
