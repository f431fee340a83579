// Code families (see code_families.h). Reads the value range and the
// value-count tuples v_index, v_tablecodemax (model/globals.h). Start at
// majority_tcode.
//
// Example, v = 3, k = 2: the kcode entries are the tuples (count of 0, 1, 2)
// (2,0,0) (1,1,0) (0,2,0) (1,0,1) (0,1,1) (0,0,2). The lucky reshaping makes
// entries 0, 2 and 5 (uniform) 0, then 1 (no 2) 0, makes 3 (one 2, no 1) 2
// and leaves 4 (one 2 and one 1) as it was.
#include "engine/rules/code_families.h"

#include <cstdlib>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"

namespace {

// The counts of tuple i of the kcode of k inputs: count[j] inputs hold j.
void
tuple_counts(int k, uint32_t i, int *count)
{
    int width = check_value_bits(k + 1);
    for (int j = 0; j < value_range; j++)
        count[j] = get_value_flex(v_index[k][i], static_cast<uint32_t>(j), width);
}

} // namespace

void
majority_tcode(uint8_t *tcode, int k, int32_t last)
{
    int v = value_range;
    if (v == 2) {
        for (int32_t s = 0; s <= last; s++) {
            int out = 2 * s > k;
            if (2 * s == k) {
                // The entry of a tie, as the k-matrix row ceil(k/2)-1 reads
                // at index k/2.
                int half = k / 2;
                out = half >> ((k + 1) / 2 - 1) & 1;
            }
            set_value(tcode, static_cast<uint32_t>(s), out);
        }
        return;
    }
    double step = static_cast<double>(k * (v - 1) + 1) / v;
    double bound[9];
    bound[0] = -1;
    for (int t = 0; t < v; t++)
        bound[t + 1] = (t == 0 ? 0 : bound[t]) + step;
    for (int32_t s = last; s >= 0; s--)
        for (int t = v - 1; t >= 0; t--)
            if (bound[t] <= s && s < bound[t + 1]) {
                set_value(tcode, static_cast<uint32_t>(s), t);
                break;
            }
}

void
majority_or_fprintf_vcode(int mode, uint8_t *kcode, int k)
{
    if (mode != 1 || k < 1)
        return;
    int v = value_range;
    for (uint32_t i = 0; i <= v_tablecodemax[k]; i++) {
        int count[8];
        tuple_counts(k, i, count);
        int best = 0, taken = 0;
        for (int j = v - 1; j >= 0; j--)
            if (count[j] > best) {
                best = count[j];
                taken = j;
            }
        bool tied[8];
        int n = 0;
        for (int j = v - 1; j >= 0; j--) {
            tied[j] = count[j] == best;
            n += tied[j];
        }
        if (n > 1) {
            long place = random() % n + 1;
            for (int j = v - 1; j >= 0; j--)
                if (tied[j] && --place == 0) {
                    taken = j;
                    break;
                }
        }
        set_value(kcode, i, taken);
    }
}

void
fill_reaction_diffusion_outer(int c, uint8_t *kcode, int k, int32_t last, int lower, int upper)
{
    for (int32_t i = 0; i <= last; i++) {
        int count[8];
        tuple_counts(k, static_cast<uint32_t>(i), count);
        bool fires = count[c] >= lower && count[c] <= upper;
        set_value(kcode, static_cast<uint32_t>(i), fires ? c : 0);
    }
}

void
altenberg_kcode(uint8_t *kcode, int k, int32_t last)
{
    if (k < 1)
        return;
    int v = value_range;
    for (int32_t i = 0; i <= last; i++) {
        int count[8];
        tuple_counts(k, static_cast<uint32_t>(i), count);
        uint16_t bound[8];
        uint16_t below = 0;
        for (int j = 0; j < v; j++)
            bound[j] = below = static_cast<uint16_t>(below + count[j] * 1000 / k);
        int x = static_cast<int>(random() % 1000);
        below = 0;
        for (int j = 0; j < v; j++) {
            if (below <= x && x < bound[j]) {
                set_value(kcode, static_cast<uint32_t>(i), j);
                break;
            }
            below = bound[j];
        }
    }
}

void
lucky_vcode(uint8_t *kcode, int k)
{
    if (k < 1)
        return;
    int v = value_range;
    int32_t last = v_tablecodemax[k];
    for (int j = v - 1; j >= 0; j--)
        for (int32_t i = last; i >= 0; i--) {
            int count[8];
            tuple_counts(k, static_cast<uint32_t>(i), count);
            if (count[j] == k)
                set_value(kcode, static_cast<uint32_t>(i), 0);
        }
    for (int32_t i = last; i >= 0; i--) {
        int count[8];
        tuple_counts(k, static_cast<uint32_t>(i), count);
        if (count[v - 1] == 0)
            set_value(kcode, static_cast<uint32_t>(i), 0);
        else if (count[v - 1] == 1 && count[v - 2] == 0)
            set_value(kcode, static_cast<uint32_t>(i), v - 1);
    }
}
