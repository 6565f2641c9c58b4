// Unscaled forward discrete Fourier transform, exported for the player's analyzer displays.
#include "fft/plan_cache.h"

#include <fftw3.h>

#include <bit>
#include <cstdint>

extern "C" __attribute__((visibility("default"))) void
fft_double(int n, int flag, double *xr, double *xi, double *yr, double *yi);

namespace {

// True when every value is +0 or -0 (NaN and everything else count as non-zero). Works on the
// bit patterns without the sign bit, so the loop vectorises.
bool AllZero(const double *values, int n)
{
    std::uint64_t bits = 0;
    for (int i = 0; i < n; ++i)
        bits |= std::bit_cast<std::uint64_t>(values[i]) << 1;
    return bits == 0;
}

} // namespace

// Y[k] = Σ (xr[m] + i·xi[m])·e^(-2πi·km/n) for k = 0 … n - 1, written to yr and yi. The inputs
// are left unchanged. flag is reserved and ignored. A real input (xi all zero) takes the
// half-length real transform.
extern "C" void fft_double(int n, int flag, double *xr, double *xi, double *yr, double *yi)
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
