// The moments of an entropy record (entropy_moments.h).
#include "engine/measures/entropy_moments.h"

#include <cmath>

entropy_moments
moments_of(const float *x, int m)
{
    entropy_moments r;
    if (m < 1)
        return r;
    float sum = 0;
    for (int i = 0; i < m; i++)
        sum += x[i];
    r.mean = sum / m;
    float adev = 0, var = 0, skew = 0, kurt = 0;
    for (int i = 0; i < m; i++) {
        float d = x[i] - r.mean;
        adev += std::fabs(d);
        float d2 = d * d;
        var += d2;
        skew += d2 * d;
        kurt += d2 * d2;
    }
    r.adev = adev / m;
    // One entry has no spread: its variance is 0, not 0 / 0.
    r.var = m > 1 ? var / (m - 1) : 0;
    r.sd = std::sqrt(r.var);
    if (r.var != 0) {
        r.skew = skew / (m * r.var * r.sd);
        r.kurt = kurt / (m * r.var * r.var) - 3;
    }
    return r;
}

void
running_means(entropy_moments *avg, const entropy_moments &run, int sample_no)
{
    if (sample_no <= 1) {
        *avg = run;
        return;
    }
    float before = static_cast<float>(sample_no - 1);
    auto mean = [&](float old, float now) { return (old * before + now) / sample_no; };
    avg->mean = mean(avg->mean, run.mean);
    avg->adev = mean(avg->adev, run.adev);
    avg->sd = mean(avg->sd, run.sd);
    avg->var = mean(avg->var, run.var);
    avg->skew = mean(avg->skew, run.skew);
    avg->kurt = mean(avg->kurt, run.kurt);
}
