// Unscaled forward discrete Fourier transform, exported for the player's analyzer displays.
#include <fftw3.h>

extern "C" __attribute__((visibility("default"))) void fft_double(int n, int flag, double *xr,
                                                                  double *xi, double *yr,
                                                                  double *yi);

extern "C" void fft_double(int n, int flag, double *xr, double *xi, double *yr, double *yi)
{
    (void)flag;
    if (n <= 0 || !xr || !xi || !yr || !yi)
        return;
    fftw_iodim dim{n, 1, 1};
    fftw_plan plan = fftw_plan_guru_split_dft(1, &dim, 0, nullptr, xr, xi, yr, yi, FFTW_ESTIMATE);
    if (!plan)
        return;
    fftw_execute_split_dft(plan, xr, xi, yr, yi);
    fftw_destroy_plan(plan);
}
