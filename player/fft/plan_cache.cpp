#include "fft/plan_cache.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

// One measured plan and the arrays it runs on. Both kinds write their spectrum interleaved,
// which FFTW does markedly faster than into split arrays; a complex transform also reads its
// input interleaved. Even with the copies in and out, this beats a split plan run on the
// caller's arrays, and out of place beats in place, with warm caches and with cold ones.
struct PlanCache::Plan
{
    Plan(int n, bool real) : n(n)
    {
        const auto size = static_cast<std::size_t>(n);
        if (real) {
            input = fftw_alloc_real(size);
            if (input)
                std::fill(input, input + n, 0.0);
            spectrum = fftw_alloc_complex(size / 2 + 1);
        } else {
            complexInput = fftw_alloc_complex(size);
            if (complexInput)
                std::fill(complexInput[0], complexInput[0] + 2 * size, 0.0);
            spectrum = fftw_alloc_complex(size);
        }
    }
    ~Plan()
    {
        if (plan)
            fftw_destroy_plan(plan);
        fftw_free(input);
        fftw_free(complexInput);
        fftw_free(spectrum);
    }
    Plan(const Plan &) = delete;
    Plan &operator=(const Plan &) = delete;

    bool Make(bool real)
    {
        if (!spectrum || (real ? !input : !complexInput))
            return false;
        plan = real ? fftw_plan_dft_r2c_1d(n, input, spectrum, FFTW_MEASURE)
                    : fftw_plan_dft_1d(n, complexInput, spectrum, FFTW_FORWARD, FFTW_MEASURE);
        return plan != nullptr;
    }

    int n;
    fftw_plan plan = nullptr;
    double *input = nullptr;
    fftw_complex *complexInput = nullptr;
    fftw_complex *spectrum = nullptr; // n / 2 + 1 bins for a real input, n for a complex one
};

// A measured single-precision complex plan, out of place, and the arrays it was measured on.
struct PlanCache::FloatPlan
{
    explicit FloatPlan(int n) : n(n)
    {
        const auto size = static_cast<std::size_t>(n);
        input = fftwf_alloc_complex(size);
        output = fftwf_alloc_complex(size);
        if (input)
            std::fill(input[0], input[0] + 2 * size, 0.0f);
    }
    ~FloatPlan()
    {
        if (plan)
            fftwf_destroy_plan(plan);
        fftwf_free(input);
        fftwf_free(output);
    }
    FloatPlan(const FloatPlan &) = delete;
    FloatPlan &operator=(const FloatPlan &) = delete;

    bool Make()
    {
        if (!input || !output)
            return false;
        plan = fftwf_plan_dft_1d(n, input, output, FFTW_FORWARD, FFTW_MEASURE);
        return plan != nullptr;
    }

    int n;
    fftwf_plan plan = nullptr;
    fftwf_complex *input = nullptr;
    fftwf_complex *output = nullptr;
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

PlanCache::FloatPlan *PlanCache::FindFloat(int n)
{
    if (auto it = floatPlans_.find(n); it != floatPlans_.end())
        return it->second.get();
    auto plan = std::make_unique<FloatPlan>(n);
    if (!plan->Make())
        return nullptr;
    return floatPlans_.emplace(n, std::move(plan)).first->second.get();
}

bool PlanCache::ExecuteReal(int n, const double *in, double *yr, double *yi)
{
    std::lock_guard lock(mutex_);
    Plan *plan = Find(n, true);
    if (!plan)
        return false;
    std::copy(in, in + n, plan->input);
    fftw_execute(plan->plan);
    const fftw_complex *half = plan->spectrum;
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
    fftw_complex *in = plan->complexInput;
    for (int k = 0; k < n; ++k) {
        in[k][0] = xr[k];
        in[k][1] = xi[k];
    }
    fftw_execute(plan->plan);
    const fftw_complex *out = plan->spectrum;
    for (int k = 0; k < n; ++k) {
        yr[k] = out[k][0];
        yi[k] = out[k][1];
    }
    return true;
}

bool PlanCache::ExecuteFloat(int n, const float *x, float *y)
{
    std::lock_guard lock(mutex_);
    FloatPlan *plan = FindFloat(n);
    if (!plan)
        return false;
    const auto values = 2 * static_cast<std::size_t>(n);
    // An out-of-place complex plan leaves its input as it was, so the caller's const array can
    // be handed to it as it stands.
    auto *in = reinterpret_cast<fftwf_complex *>(const_cast<float *>(x));
    auto *out = reinterpret_cast<fftwf_complex *>(y);
    const auto first = reinterpret_cast<std::uintptr_t>(x);
    const auto second = reinterpret_cast<std::uintptr_t>(y);
    const std::uintptr_t bytes = values * sizeof(float);
    const bool apart = first + bytes <= second || second + bytes <= first;
    if (apart && fftwf_alignment_of(const_cast<float *>(x)) == fftwf_alignment_of(plan->input[0]) &&
        fftwf_alignment_of(y) == fftwf_alignment_of(plan->output[0])) {
        fftwf_execute_dft(plan->plan, in, out);
        return true;
    }
    std::copy(x, x + values, plan->input[0]);
    fftwf_execute(plan->plan);
    std::copy(plan->output[0], plan->output[0] + values, y);
    return true;
}
