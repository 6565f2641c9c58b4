#include "fft/plan_cache.h"

#include <cstdint>
#include <cstring>

namespace {

// Arrays that alias each other or are not aligned to doubles get a one-off plan instead.
bool Distinct(std::initializer_list<const double *> arrays)
{
    for (auto a = arrays.begin(); a != arrays.end(); ++a) {
        if (reinterpret_cast<std::uintptr_t>(*a) % alignof(double) != 0)
            return false;
        for (auto b = a + 1; b != arrays.end(); ++b)
            if (*a == *b)
                return false;
    }
    return true;
}

// Scratch array of n doubles whose address has the given FFTW alignment offset.
class Scratch
{
public:
    Scratch(int n, int offset)
        : base_(static_cast<char *>(fftw_malloc(sizeof(double) * (n + 16) + 64))),
          data_(reinterpret_cast<double *>(base_ + offset))
    {
        if (base_)
            std::memset(base_, 0, sizeof(double) * (n + 16) + 64);
    }
    ~Scratch() { fftw_free(base_); }
    Scratch(const Scratch &) = delete;
    Scratch &operator=(const Scratch &) = delete;
    bool Valid() const { return base_ != nullptr; }
    double *Data() const { return data_; }

private:
    char *base_;
    double *data_;
};

} // namespace

PlanCache &PlanCache::Instance()
{
    static PlanCache cache;
    return cache;
}

PlanCache::~PlanCache()
{
    for (auto &[key, plan] : plans_)
        fftw_destroy_plan(plan);
}

fftw_plan PlanCache::Find(const Key &key)
{
    std::lock_guard lock(mutex_);
    if (auto it = plans_.find(key); it != plans_.end())
        return it->second;
    Scratch a(key.n, key.alignment[0]), b(key.n, key.alignment[1]), c(key.n, key.alignment[2]),
        d(key.n, key.alignment[3]);
    if (!a.Valid() || !b.Valid() || !c.Valid() || !d.Valid())
        return nullptr;
    fftw_iodim dim{key.n, 1, 1};
    fftw_plan plan = key.real ? fftw_plan_guru_split_dft_r2c(1, &dim, 0, nullptr, a.Data(),
                                                             c.Data(), d.Data(), FFTW_MEASURE)
                              : fftw_plan_guru_split_dft(1, &dim, 0, nullptr, a.Data(), b.Data(),
                                                         c.Data(), d.Data(), FFTW_MEASURE);
    if (plan)
        plans_.emplace(key, plan);
    return plan;
}

bool PlanCache::ExecuteReal(int n, double *in, double *yr, double *yi)
{
    fftw_iodim dim{n, 1, 1};
    if (!Distinct({in, yr, yi})) {
        std::lock_guard lock(mutex_);
        fftw_plan plan =
            fftw_plan_guru_split_dft_r2c(1, &dim, 0, nullptr, in, yr, yi, FFTW_ESTIMATE);
        if (!plan)
            return false;
        fftw_execute(plan);
        fftw_destroy_plan(plan);
        return true;
    }
    const Key key{
        n, true, {fftw_alignment_of(in), 0, fftw_alignment_of(yr), fftw_alignment_of(yi)}};
    fftw_plan plan = Find(key);
    if (!plan)
        return false;
    fftw_execute_split_dft_r2c(plan, in, yr, yi);
    return true;
}

bool PlanCache::ExecuteComplex(int n, double *xr, double *xi, double *yr, double *yi)
{
    fftw_iodim dim{n, 1, 1};
    if (!Distinct({xr, xi, yr, yi})) {
        std::lock_guard lock(mutex_);
        fftw_plan plan =
            fftw_plan_guru_split_dft(1, &dim, 0, nullptr, xr, xi, yr, yi, FFTW_ESTIMATE);
        if (!plan)
            return false;
        fftw_execute(plan);
        fftw_destroy_plan(plan);
        return true;
    }
    const Key key{n,
                  false,
                  {fftw_alignment_of(xr), fftw_alignment_of(xi), fftw_alignment_of(yr),
                   fftw_alignment_of(yi)}};
    fftw_plan plan = Find(key);
    if (!plan)
        return false;
    fftw_execute_split_dft(plan, xr, xi, yr, yi);
    return true;
}
