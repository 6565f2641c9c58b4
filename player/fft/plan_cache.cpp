#include "fft/plan_cache.h"

#include <algorithm>
#include <cstddef>

// One measured plan and the four arrays it runs on.
struct PlanCache::Plan
{
    explicit Plan(int n) : n(n)
    {
        for (double *&array : arrays) {
            array = fftw_alloc_real(static_cast<std::size_t>(n));
            if (array)
                std::fill(array, array + n, 0.0);
        }
    }
    ~Plan()
    {
        if (plan)
            fftw_destroy_plan(plan);
        for (double *array : arrays)
            fftw_free(array);
    }
    Plan(const Plan &) = delete;
    Plan &operator=(const Plan &) = delete;

    bool Make(bool real)
    {
        for (double *array : arrays)
            if (!array)
                return false;
        fftw_iodim dim{n, 1, 1};
        plan = real ? fftw_plan_guru_split_dft_r2c(1, &dim, 0, nullptr, arrays[0], arrays[2],
                                                   arrays[3], FFTW_MEASURE)
                    : fftw_plan_guru_split_dft(1, &dim, 0, nullptr, arrays[0], arrays[1], arrays[2],
                                               arrays[3], FFTW_MEASURE);
        return plan != nullptr;
    }

    int n;
    fftw_plan plan = nullptr;
    double *arrays[4] = {}; // input real, input imaginary, output real, output imaginary
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
    auto plan = std::make_unique<Plan>(n);
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
    const int bins = n / 2 + 1;
    std::copy(plan->arrays[2], plan->arrays[2] + bins, yr);
    std::copy(plan->arrays[3], plan->arrays[3] + bins, yi);
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
