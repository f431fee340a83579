// The small arithmetic routines of the network description (see
// network_arithmetic.h): nothing here allocates or reads a value line.
// set_i2dxj2d writes the 2d shape globals of model/globals.h.
#include "engine/model/network_arithmetic.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/model/globals.h"

int
check_value_bits(int v)
{
    if (v == 2)
        return 1;
    if (v < 5)
        return 2;
    if (v < 9)
        return 3;
    if (v < 17)
        return 4;
    if (v < 33)
        return 5;
    return 0;
}

uint64_t
int_power(int v, int e)
{
    uint64_t p = 1;
    for (int i = 0; i < e; i++)
        p *= static_cast<uint64_t>(v);
    return p;
}

uint32_t
fact(int n)
{
    uint32_t product = 1;
    for (int i = 2; i <= n; i++)
        product *= static_cast<uint32_t>(i);
    return product;
}

uint64_t
longlong_fact(int n, int m)
{
    int from = static_cast<uint16_t>(m);
    uint64_t product = 1;
    for (int i = from; i <= n; i++)
        product *= static_cast<uint64_t>(i);
    return product;
}

uint32_t
atolu(const char *text)
{
    // Copy the entry up to its end mark so that strtod never reads past it.
    char buffer[64];
    int len = 0;
    while (len < 63 && text[len] != '\0' && text[len] != 13) {
        buffer[len] = text[len];
        len++;
    }
    buffer[len] = '\0';
    double d = strtod(buffer, nullptr);
    if (std::isnan(d))
        return 0;
    if (d >= 4294967296.0)
        return Maxlu;
    if (d >= 2147483648.0)
        return static_cast<uint32_t>(d - 2147483648.0) + 2147483648u;
    if (d <= -9.2e18)
        return 0;
    // Negative numbers give their two's complement, as a 32-bit int would.
    return static_cast<uint32_t>(static_cast<int64_t>(d));
}

void
set_i2dxj2d()
{
    int n = lineL;
    if (n == 0) {
        i2d = 0;
        j2d = 1;
        return;
    }
    int s = static_cast<int>(std::sqrt(static_cast<double>(n)));
    while (s * s < n)
        s++;
    while (s > 1 && (s - 1) * (s - 1) >= n)
        s--;
    int d = s;
    while (n % d != 0)
        d--;
    int other = n / d;
    if (d > other) {
        int t = d;
        d = other;
        other = t;
    }
    i2d = static_cast<int16_t>(other);
    j2d = static_cast<int16_t>(d);
}

void
shuffle_order(uint16_t *order, int n)
{
    if (n < 1)
        return;
    if (n > 65536)
        n = 65536;
    uint8_t used[65536 / 8];
    memset(used, 0, static_cast<size_t>((n + 7) / 8));
    for (int p = 0; p < n; p++) {
        int r;
        do
            r = static_cast<int>(random() % n);
        while (used[r >> 3] & (1u << (r & 7)));
        used[r >> 3] = static_cast<uint8_t>(used[r >> 3] | (1u << (r & 7)));
        order[p] = static_cast<uint16_t>(r);
    }
}

void
shuffle_order1(uint16_t *order, int count)
{
    if (count < 1)
        return;
    if (count > 65535)
        count = 65535;
    // Value 0 is marked used from the start: a draw of 0 is refused as a
    // draw of a value already placed is.
    uint8_t used[65536 / 8];
    memset(used, 0, static_cast<size_t>(count / 8 + 1));
    used[0] = 1;
    for (int p = 1; p <= count; p++) {
        int r;
        do
            r = static_cast<int>(random() % (count + 1));
        while (used[r >> 3] & (1u << (r & 7)));
        used[r >> 3] = static_cast<uint8_t>(used[r >> 3] | (1u << (r & 7)));
        order[p] = static_cast<uint16_t>(r);
    }
}

int
digits_of(int x)
{
    int d = 1;
    while (x >= 10) {
        x /= 10;
        d++;
    }
    return d;
}
