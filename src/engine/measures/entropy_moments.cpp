// The moments of an entropy record (entropy_moments.h).
#include "engine/measures/entropy_moments.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

entropy_moments
moments_of(const float *x, int m)
{
    entropy_moments r;
    if (m < 1)
        return r;
    double sum = 0, largest = 0;
    for (int i = 0; i < m; i++) {
        sum += x[i];
        largest = std::fmax(largest, std::fabs(x[i]));
    }
    r.mean = sum / m;
    double adev = 0, var = 0, skew = 0, kurt = 0;
    for (int i = 0; i < m; i++) {
        double d = x[i] - r.mean;
        adev += std::fabs(d);
        double d2 = d * d;
        var += d2;
        skew += d2 * d;
        kurt += d2 * d2;
    }
    r.adev = adev / m;
    // One entry has no spread: its variance is 0, not 0 / 0.
    r.var = m > 1 ? var / (m - 1) : 0;
    r.sd = std::sqrt(r.var);
    r.shaped = r.var > 0 && r.sd > 2 * FLT_EPSILON * largest;
    if (r.shaped) {
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
    double before = sample_no - 1;
    auto mean = [&](double old, double now) { return (old * before + now) / sample_no; };
    avg->mean = mean(avg->mean, run.mean);
    avg->adev = mean(avg->adev, run.adev);
    avg->sd = mean(avg->sd, run.sd);
    avg->var = mean(avg->var, run.var);
    avg->skew = mean(avg->skew, run.skew);
    avg->kurt = mean(avg->kurt, run.kurt);
    avg->shaped = avg->shaped || run.shaped;
}

std::string
moments_centre_line(const entropy_moments &m)
{
    char text[160];
    snprintf(text, sizeof text, "mean=%f, average dev=%f, standard dev=%f", m.mean, m.adev, m.sd);
    return text;
}

std::string
moments_shape_line(const entropy_moments &m)
{
    char text[160];
    if (m.shaped)
        snprintf(text, sizeof text, "varience=%f, skewness=%f, kurtosis=%f", m.var, m.skew,
                 m.kurt);
    else // no spread beyond rounding: the shape figures would be noise
        snprintf(text, sizeof text, "varience=%f, skewness=n/a, kurtosis=n/a", m.var);
    return text;
}
