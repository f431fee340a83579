// The statistics of an entropy record: mean, average deviation, standard
// deviation, variance, skewness and kurtosis of the entropy of the steps
// recorded, computed in double precision, and their running means over the
// runs of one rule.
#pragma once
#include <string>

struct entropy_moments {
    double mean = 0, adev = 0, sd = 0, var = 0, skew = 0, kurt = 0;
    // Skewness and kurtosis say something: the spread is wider than the
    // rounding of the single-precision entries. When false both are 0.
    bool shaped = false;
};

// The figures of x[0..m): with d_i = x_i - mean, adev = sum |d| / m,
// var = sum d^2 / (m - 1) (0 for fewer than two entries), sd = sqrt(var),
// skew = sum d^3 / (m var sd) and kurt = sum d^4 / (m var^2) - 3. The
// entries are single precision, so a record whose true entropy is constant
// can still differ by a unit in the last place from step to step; a spread
// of at most two such units (sd <= 2 FLT_EPSILON max |x_i|) is rounding,
// not a shape, and leaves skew and kurt 0 with shaped false.
entropy_moments moments_of(const float *x, int m);
// avg becomes the mean of the sample_no runs so far, given the mean of the
// first sample_no - 1 in avg and this run's figures; sample_no 1 starts it.
// The mean is shaped when any of its runs was (the others count as 0).
void running_means(entropy_moments *avg, const entropy_moments &run, int sample_no);

// The figures as the statistics box shows them: "mean=%f, average dev=%f,
// standard dev=%f", and "varience=%f, skewness=%f, kurtosis=%f" with n/a
// for skewness and kurtosis when the record is not shaped.
std::string moments_centre_line(const entropy_moments &m);
std::string moments_shape_line(const entropy_moments &m);
