#pragma once

#include <fftw3.h>

#include <map>
#include <memory>
#include <mutex>
#include <utility>

// FFTW plans made once per transform kind and length, each with its own aligned arrays: the
// caller's data is copied in and the result copied out, so a plan only ever runs on the arrays
// it was measured on, whatever the caller's arrays look like.
class PlanCache
{
public:
    static PlanCache &Instance();
    ~PlanCache();

    // Real input of n points; writes bins 0 to n - 1 to yr and yi. False when no plan could be
    // made.
    bool ExecuteReal(int n, const double *in, double *yr, double *yi);
    // Complex input of n points; writes bins 0 to n - 1 to yr and yi.
    bool ExecuteComplex(int n, const double *xr, const double *xi, double *yr, double *yi);
    // Single-precision complex input of n interleaved points into n interleaved bins. Runs on
    // the caller's arrays when they are laid out as the plan's own; copies through those
    // otherwise.
    bool ExecuteFloat(int n, const float *x, float *y);

private:
    struct Plan;
    struct FloatPlan;
    Plan *Find(int n, bool real);
    FloatPlan *FindFloat(int n);

    std::mutex mutex_;
    std::map<std::pair<int, bool>, std::unique_ptr<Plan>> plans_;
    std::map<int, std::unique_ptr<FloatPlan>> floatPlans_;
};
