#include "fft/plan_cache.h"

#include <algorithm>
#include <cstddef>

// One measured plan and the arrays it runs on. A real transform writes its half spectrum
// interleaved, which FFTW does markedly faster than into split arrays.
struct PlanCache::Plan
{
    Plan(int n, bool real) : n(n)
    {
        for (double *&array : arrays) {
            array = fftw_alloc_real(static_cast<std::size_t>(n));
            if (array)
                std::fill(array, array + n, 0.0);
            if (real)
                break;
        }
        if (real)
            halfSpectrum = fftw_alloc_complex(static_cast<std::size_t>(n / 2 + 1));
    }
    ~Plan()
    {
        if (plan)
            fftw_destroy_plan(plan);
        for (double *array : arrays)
            fftw_free(array);
        fftw_free(halfSpectrum);
    }
    Plan(const Plan &) = delete;
    Plan &operator=(const Plan &) = delete;

    bool Make(bool real)
    {
        if (real ? !arrays[0] || !halfSpectrum
                 : !arrays[0] || !arrays[1] || !arrays[2] || !arrays[3])
            return false;
        fftw_iodim dim{n, 1, 1};
        plan = real ? fftw_plan_dft_r2c_1d(n, arrays[0], halfSpectrum, FFTW_MEASURE)
                    : fftw_plan_guru_split_dft(1, &dim, 0, nullptr, arrays[0], arrays[1], arrays[2],
                                               arrays[3], FFTW_MEASURE);
        return plan != nullptr;
    }

    int n;
    fftw_plan plan = nullptr;
    double *arrays[4] = {}; // input real, input imaginary, output real, output imaginary
    fftw_complex *halfSpectrum = nullptr;
};

PlanCache &PlanCache::Instance()
{
    static PlanCache cache;
    return cache;
}

PlanCache::~PlanCache() = default;

PlanCache::Plan *PlanCache::Find(int n, bool real)
{
    const auto key = std::make_pair(n, real);
    if (auto it = plans_.find(key); it != plans_.end())
        return it->second.get();
    auto plan = std::make_unique<Plan>(n, real);
    if (!plan->Make(real))
        return nullptr;
    return plans_.emplace(key, std::move(plan)).first->second.get();
}

bool PlanCache::ExecuteReal(int n, const double *in, double *yr, double *yi)
{
    std::lock_guard lock(mutex_);
    Plan *plan = Find(n, true);
    if (!plan)
        return false;
    std::copy(in, in + n, plan->arrays[0]);
    fftw_execute(plan->plan);
    const fftw_complex *half = plan->halfSpectrum;
    for (int k = 0; k <= n / 2; ++k) {
        yr[k] = half[k][0];
        yi[k] = half[k][1];
    }
    // The upper half of a real input's spectrum is the conjugate mirror of the lower half.
    for (int k = 1; k < n - k; ++k) {
        yr[n - k] = yr[k];
        yi[n - k] = -yi[k];
    }
    return true;
}

bool PlanCache::ExecuteComplex(int n, const double *xr, const double *xi, double *yr, double *yi)
{
    std::lock_guard lock(mutex_);
    Plan *plan = Find(n, false);
    if (!plan)
        return false;
    std::copy(xr, xr + n, plan->arrays[0]);
    std::copy(xi, xi + n, plan->arrays[1]);
    fftw_execute(plan->plan);
    std::copy(plan->arrays[2], plan->arrays[2] + n, yr);
    std::copy(plan->arrays[3], plan->arrays[3] + n, yi);
    return true;
}
