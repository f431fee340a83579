// Update orders: the orders of the sequential update modes, the random order
// drawn by start and direction probing, and the rank of an order among all
// permutations in lexicographic order (index 0 = 0,1,...,n-1; index n!-1 =
// n-1,...,0), exact while n! - 1 fits 32 bits (n <= 12).
#pragma once
#include <cstdint>

// order[i] := i (update_cell_order).
void identity_order(uint16_t *order, int n);
// order[i] := n-1-i (update_reverse_order).
void reverse_order(uint16_t *order, int n);

// Fills order[0..n-1] with a random permutation: for each position a start
// cell random() % n and a direction from a second random() (even: -1, odd:
// +1); while the cell is ticked off in tickoff it moves by the direction,
// wrapping n to 0 and -1 to n-1; the cell found takes the position and is
// ticked off. tickoff: ceil(n/8) bytes, clear on entry, all n bits set on
// return. Whole ticked bytes and words are skipped at once; the cells found
// are those of the cell-by-cell walk.
void draw_random_order(uint16_t *order, int n, uint8_t *tickoff);

// A new random seq_order of lineL cells and seq_update update_seq_order (its
// tick-off set is allocated for the call, label "seq_tickoff").
void setup_random_sequence();

// The rank of order[0..count-1], a permutation of 0..count-1: the sum over
// positions i of (place of order[i] among the values not yet used) *
// (count-1-i)!, modulo 2^32. (2,0,1) gives 4. Work array label "posorder"
// (orders of more than 1024 cells).
uint32_t order_to_index(const uint16_t *order, int count);
// Writes the permutation of rank index into order[0..count-1]. Exact for
// count <= 12 and index < count!; any other index still gives a permutation
// (each digit is reduced to the values left). Work array label "order".
void index_to_order(uint32_t index, uint16_t *order, int count);

// The orders one neutral swap from order, as the neutral-order field links
// them: for each two cells y, x next to each other in order that may swap
// (swappable(x, y): not wired to each other), the rank of the order with
// the two swapped goes to visit. The swap is undone in place, so order is
// left as it was and nothing is allocated per order. Stops when visit
// returns true.
template <class Swappable, class Visit>
void
for_each_neutral_swap(uint16_t *order, int count, Swappable swappable, Visit visit)
{
    for (int i = 1; i < count; i++) {
        uint16_t y = order[i - 1], x = order[i];
        if (!swappable(x, y))
            continue;
        order[i - 1] = x;
        order[i] = y;
        uint32_t swapped = order_to_index(order, count);
        order[i - 1] = y;
        order[i] = x;
        if (visit(swapped))
            return;
    }
}

// 1 when order[0..count-1] holds each of 0..count-1 exactly once.
int is_permutation(const uint16_t *order, int count);

// Completes an order whose first `placed` entries are set, each a different
// cell: the cells not among them follow in the order they have in previous
// (a whole order of count cells), so the result is again an order.
void complete_order(uint16_t *order, int placed, const uint16_t *previous, int count);
