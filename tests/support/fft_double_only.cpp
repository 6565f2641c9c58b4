// A stand-in fft module that has only `fft_double`, as a module built before `fft_float` was
// added: a direct transform, slow but exact enough for the short lengths tests give it.
#include "fft/fft_double.h"

#include <cmath>
#include <numbers>

void fft_double(std::int32_t n, std::int32_t, double *xr, double *xi, double *yr, double *yi)
{
    for (std::int32_t k = 0; k < n; ++k) {
        double re = 0.0, im = 0.0;
        for (std::int32_t m = 0; m < n; ++m) {
            const double phase = -2.0 * std::numbers::pi * double((std::int64_t(k) * m) % n) / n;
            re += xr[m] * std::cos(phase) - xi[m] * std::sin(phase);
            im += xr[m] * std::sin(phase) + xi[m] * std::cos(phase);
        }
        yr[k] = re;
        yi[k] = im;
    }
}
