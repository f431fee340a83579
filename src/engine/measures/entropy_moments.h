// The statistics of an entropy record: mean, average deviation, standard
// deviation, variance, skewness and kurtosis of the entropy of the steps
// recorded, in single precision, and their running means over the runs of
// one rule.
#pragma once

struct entropy_moments {
    float mean = 0, adev = 0, sd = 0, var = 0, skew = 0, kurt = 0;
};

// The figures of x[0..m): with d_i = x_i - mean, adev = sum |d| / m,
// var = sum d^2 / (m - 1) (0 for fewer than two entries), sd = sqrt(var),
// skew = sum d^3 / (m var sd) and kurt = sum d^4 / (m var^2) - 3, both 0
// when var is 0.
entropy_moments moments_of(const float *x, int m);
// avg becomes the mean of the sample_no runs so far, given the mean of the
// first sample_no - 1 in avg and this run's figures; sample_no 1 starts it.
void running_means(entropy_moments *avg, const entropy_moments &run, int sample_no);
