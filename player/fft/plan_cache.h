#pragma once

#include <fftw3.h>

#include <array>
#include <map>
#include <mutex>

// FFTW plans made once per transform kind, length and array alignment, and reused for every
// later call with arrays of the same shape. Plans are measured on scratch arrays, so the
// caller's data is never touched by planning.
class PlanCache
{
public:
    static PlanCache &Instance();
    ~PlanCache();

    // Split-format real-to-complex transform: yr, yi receive bins 0 to n/2. False when no plan
    // could be made.
    bool ExecuteReal(int n, double *in, double *yr, double *yi);
    // Split-format complex transform of n points.
    bool ExecuteComplex(int n, double *xr, double *xi, double *yr, double *yi);

private:
    struct Key
    {
        int n;
        bool real;
        std::array<int, 4> alignment;
        auto operator<=>(const Key &) const = default;
    };

    fftw_plan Find(const Key &key);

    std::mutex mutex_;
    std::map<Key, fftw_plan> plans_;
};
