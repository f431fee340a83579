// The k-mix methods (kmix_methods.h), without a window. Reads lineL,
// Maxnhood and value_range; writes nhoodm, nhood_lb and nhood_ub. The
// dialog of kmix_dialog.cpp asks for their parameters. Start at
// kmix_power_law_counts, the only one with arithmetic worth reading.
#include "engine/model/kmix_methods.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/model/globals.h"

uint32_t
kmix_counts_from_shares(const float *shares, uint16_t *counts)
{
    uint32_t total = 0;
    for (int k = 1; k <= Maxnhood; k++) {
        float cells = static_cast<float>(lineL) * shares[k] / 100.0f;
        counts[k] = cells > 0 ? static_cast<uint16_t>(cells) : 0;
        total += counts[k];
    }
    return total;
}

uint32_t
kmix_power_law_counts(int K, float g, uint16_t *counts)
{
    for (int k = 0; k <= Maxnhood; k++)
        counts[k] = 0;
    long n = lineL;
    // The normalising factor divides by 1 - 1/K^(g-1), which is 0 for
    // K = 1 or g = 1: those laws put every cell at k = 1.
    if (K <= 1 || g <= 1.0f) {
        counts[1] = static_cast<uint16_t>(n);
        return static_cast<uint32_t>(n);
    }
    float factor = (g - 1.0f) / (1.0f - 1.0f / powf(static_cast<float>(K), g - 1.0f)) *
                   static_cast<float>(n);
    std::vector<long> c(static_cast<size_t>(K) + 1, 0);
    long sum = 0;
    for (int k = 1; k <= K; k++) {
        c[k] = static_cast<long>(factor * powf(static_cast<float>(k), -g));
        sum += c[k];
    }
    if (sum == 0) {
        counts[1] = static_cast<uint16_t>(n);
        return static_cast<uint32_t>(n);
    }
    long rescaled = 0;
    for (int k = 1; k <= K; k++) {
        c[k] = static_cast<long>(std::ceil(static_cast<double>(n) * c[k] / sum));
        rescaled += c[k];
    }
    // Take the excess off the small k first, half of what is left at a
    // time, never more than a k has.
    long excess = rescaled - n;
    for (int k = 1; excess > 0 && k <= K; k++) {
        long take = excess >= 2 ? excess / 2 : 1;
        if (take > c[k])
            take = c[k];
        c[k] -= take;
        excess -= take;
        if (k + 1 > excess)
            break;
    }
    long total = 0;
    for (int k = 1; k <= K; k++)
        total += c[k];
    // The final correction goes to k = 1; should k = 1 hold too few, the
    // rest comes off the next k.
    long diff = total - n;
    for (int k = 1; diff > 0 && k <= K; k++) {
        long take = diff < c[k] ? diff : c[k];
        c[k] -= take;
        diff -= take;
    }
    if (diff < 0)
        c[1] -= diff;
    for (int k = 1; k <= K; k++)
        counts[k] = static_cast<uint16_t>(c[k]);
    return static_cast<uint32_t>(n);
}

void
kmix_complete_counts(uint16_t *counts, int upper, uint32_t total)
{
    if (total >= lineL)
        return;
    for (int k = upper; k >= 1; k--)
        if (counts[k] != 0) {
            counts[k] = static_cast<uint16_t>(counts[k] + (lineL - total));
            return;
        }
}

long
kmix_fill_from_counts(const uint16_t *counts, bool shuffle)
{
    nhood_lb = static_cast<uint8_t>(Maxnhood);
    nhood_ub = 1;
    for (int k = 1; k <= Maxnhood; k++)
        if (counts[k]) {
            if (k < nhood_lb)
                nhood_lb = static_cast<uint8_t>(k);
            nhood_ub = static_cast<uint8_t>(k);
        }
    std::vector<int8_t> ordered(lineL, 0);
    long position = 0, overflow = -1;
    for (int k = 1; k <= nhood_ub && overflow < 0; k++)
        for (uint32_t i = 0; i < counts[k]; i++, position++) {
            if (position >= lineL) {
                overflow = position;
                break;
            }
            ordered[static_cast<size_t>(position)] = static_cast<int8_t>(k);
        }
    if (!shuffle) {
        memcpy(nhoodm, ordered.data(), lineL);
        return overflow;
    }
    std::vector<uint16_t> at(lineL);
    for (uint32_t i = 0; i < lineL; i++)
        at[i] = static_cast<uint16_t>(i);
    for (int pass = 0; pass < 40; pass++)
        for (uint32_t i = 0; i < lineL; i++) {
            uint32_t j = static_cast<uint32_t>(random() % lineL);
            uint16_t t = at[i];
            at[i] = at[j];
            at[j] = t;
        }
    for (uint32_t c = 0; c < lineL; c++)
        nhoodm[c] = ordered[at[c]];
    return overflow;
}

void
kmix_around_average(float average, int upper)
{
    memset(nhoodm, 0, lineL);
    uint32_t increments = static_cast<uint32_t>(average * static_cast<float>(lineL)) + 1;
    // Never more increments than the cells can take below the bound.
    uint32_t room = static_cast<uint32_t>(upper) * lineL;
    if (increments > room)
        increments = room;
    for (uint32_t made = 0; made < increments;) {
        uint32_t c = static_cast<uint32_t>(random() % lineL);
        if (nhoodm[c] < upper) {
            nhoodm[c]++;
            made++;
        }
    }
    for (uint32_t c = 0; c < lineL; c++)
        if (nhoodm[c] == 0)
            nhoodm[c] = 1;
}

void
kmix_random_between(int lower, int upper)
{
    for (uint32_t c = 0; c < lineL; c++) {
        if (lower == upper) {
            nhoodm[c] = static_cast<int8_t>(lower);
            continue;
        }
        int k;
        do
            k = static_cast<int>(random() % (Maxnhood + 1));
        while (k < lower || k > upper);
        nhoodm[c] = static_cast<int8_t>(k);
    }
}

int
kmix_default_upper(int lower)
{
    if (value_range == 2)
        return lower <= 9 ? 9 : lower;
    return Maxnhood;
}
