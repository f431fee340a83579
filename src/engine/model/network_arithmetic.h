// The small arithmetic of the network description: widths of values and
// value-count tuples, exact powers, factorial products, the number typed by
// the user, the near-square shape of a 1d network and a random permutation.
#pragma once
#include <cstdint>

// Bits per entry for values 0..v-1: 1 for v = 2; 2 below 5; 3 below 9; 4
// below 17; 5 below 33; 0 otherwise (v below 2 gives 2). Value-count tuples
// of k inputs use check_value_bits(k+1).
int check_value_bits(int v);

// v^e as an exact 64-bit integer (wraps only beyond 2^64; callers stay far
// below). Used for every power of v instead of floating point.
uint64_t int_power(int v, int e);

// n! modulo 2^32; 1 for n below 1.
uint32_t fact(int n);

// The product m * (m+1) * ... * n in 64 bits, m taken modulo 65536; 1 when
// m > n. Kcode sizes: longlong_fact(k+v-1, k+1) / longlong_fact(v-1, 1).
uint64_t longlong_fact(int n, int m);

// The decimal number at the start of text, truncated toward zero as an
// unsigned 32-bit number: -1 gives 4294967295, 2^31 .. 2^32-1 exactly, and
// 2^32 or more 4294967295. Reading stops at a NUL, at the Return code 13 of
// the input line, or after 63 characters.
uint32_t atolu(const char *text);

// Sets i2d and j2d to a near-square factor pair of lineL, i2d >= j2d
// (6 gives 3 x 2, 7 gives 7 x 1); lineL 0 gives 0 x 1.
void set_i2dxj2d();

// Fills order[0..n-1] with a random permutation of 0..n-1 drawn with
// random() % n, redrawing while the value is already used. n below 1 leaves
// the array untouched; n is at most 65536.
void shuffle_order(uint16_t *order, int n);
// Fills order[1..count] with a random permutation of 1..count: each
// position draws random() % (count + 1) until the value is neither 0 nor
// already placed (order[0] is left untouched). count below 1 leaves the
// array untouched; count is at most 65535.
void shuffle_order1(uint16_t *order, int count);

// Number of decimal digits of x (at least 1): the width of an entry that
// takes any number up to x.
int digits_of(int x);
