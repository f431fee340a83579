// Conversions between value lines and 32-bit numbers: state numbers, rule
// numbers and their inverses. The accessors themselves are inline in
// value_line.h, where the bit layout is written down with a worked example.
// Powers of v are exact integers; a power that reaches 2^32 counts as
// 4294967295, as the number of a too-long line always has.
#include "engine/model/value_line.h"

#include <cstring>

namespace {

// v^i as the state number arithmetic sees it: exact below 2^32, else Maxlu.
// Callers step it by multiplying; saturation keeps it there.
inline uint64_t
next_power(uint64_t p, int v)
{
    p *= static_cast<uint64_t>(v);
    return p > Maxlu ? Maxlu : p;
}

// Bound of the powers used when splitting a number into digits: anything of
// 2^40 or more is larger than every 32-bit number times v, and keeps d * p
// within 64 bits.
constexpr uint64_t kDigitPowerCap = uint64_t(1) << 40;

} // namespace

size_t
value_line_bytes(uint64_t count, int w)
{
    return static_cast<size_t>((count * static_cast<uint64_t>(w) + 7) / 8);
}

uint32_t
dec_equiv_flex(const uint8_t *line, int last, int v, int w)
{
    if (last < 0)
        return 0;
    if (v == 2 && w == 1 && last < 32) {
        // Bits read straight from the bytes, cell 0 the lowest bit.
        uint32_t sum = 0;
        int nbytes = last / 8 + 1;
        for (int b = nbytes - 1; b >= 0; b--)
            sum = (sum << 8) | line[b];
        if (last < 31)
            sum &= (uint32_t(1) << (last + 1)) - 1;
        return sum;
    }
    uint32_t sum = 0;
    uint64_t p = 1;
    for (int i = 0; i <= last; i++) {
        int value = get_value_flex(line, static_cast<uint32_t>(i), w);
        sum += static_cast<uint32_t>(value) * static_cast<uint32_t>(p);
        p = next_power(p, v);
    }
    return sum;
}

void
dec_to_value_line_flex(uint8_t *line, uint32_t number, int count, int v, int w)
{
    if (count < 1)
        return;
    if (v == 2 && w == 1) {
        // Bits written straight into the bytes: a number of 2^count or more
        // sets every bit, as the digit loop below would. Bits past the last
        // entry in its byte are kept.
        uint64_t top = count < 64 ? (uint64_t(1) << count) - 1 : ~uint64_t(0);
        uint64_t bits = number < top ? number : top;
        int full = count / 8;
        for (int b = 0; b < full; b++)
            line[b] = b < 8 ? static_cast<uint8_t>(bits >> (8 * b)) : 0;
        if (int rest = count % 8) {
            unsigned mask = (1u << rest) - 1;
            unsigned high = full < 8 ? static_cast<unsigned>(bits >> (8 * full)) : 0;
            line[full] = static_cast<uint8_t>((line[full] & ~mask) | (high & mask));
        }
        return;
    }
    // powers[i] = v^i up to the cap; every higher index uses the cap too.
    uint64_t powers[41];
    int npowers = 0;
    for (uint64_t p = 1; npowers < 41; p *= static_cast<uint64_t>(v)) {
        powers[npowers++] = p < kDigitPowerCap ? p : kDigitPowerCap;
        if (p >= kDigitPowerCap)
            break;
    }
    uint64_t rest = number;
    for (int i = count - 1; i >= 0; i--) {
        uint64_t p = i < npowers ? powers[i] : kDigitPowerCap;
        // The largest digit d <= v-1 with d * p <= rest.
        uint64_t d = rest / p;
        if (d > static_cast<uint64_t>(v - 1))
            d = static_cast<uint64_t>(v - 1);
        set_value_flex(line, static_cast<uint32_t>(i), static_cast<int>(d), w);
        rest -= d * p;
    }
}

void
dec_to_value_line(uint8_t *line, uint32_t number, int count)
{
    dec_to_value_line_flex(line, number, count, value_range, value_bits);
}

void
dec_to_bit_line(uint8_t *line, uint32_t number, int count)
{
    for (int i = count - 1; i >= 0; i--) {
        set_bitlong(line, static_cast<uint32_t>(i), 0);
        if (i < 32 && number >= (uint64_t(1) << i)) {
            set_bitlong(line, static_cast<uint32_t>(i), 1);
            number -= static_cast<uint32_t>(uint64_t(1) << i);
        }
    }
}

uint64_t
next_clear_bitlong(const uint8_t *set, uint64_t i, uint64_t end)
{
    while (i < end) {
        if ((i & 63) == 0 && end - i >= 64) {
            uint64_t word;
            memcpy(&word, set + (i >> 3), sizeof word);
            if (word == ~uint64_t(0)) {
                i += 64;
                continue;
            }
        }
        if (!((set[i >> 3] >> (i & 7)) & 1))
            return i;
        i++;
    }
    return end;
}
