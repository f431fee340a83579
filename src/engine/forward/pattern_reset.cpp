// State changes of a running pattern: the single-cell seed and the random
// cell change (pattern_reset.h). Reads the network shape and A (model
// globals) and writes seed_was_set (rules globals). Start at
// set_singleton_seed; resize_state_lines changes the size by one cell.
#include "engine/forward/pattern_reset.h"

#include <cstdlib>
#include <cstring>

#include "engine/forward/forward_step.h"
#include "engine/forward/globals.h"
#include "engine/forward/update_order.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"

long
centre_cell()
{
    if (twod)
        return i2d / 2 + static_cast<long>(i2d) * (j2d / 2);
    if (threed)
        return static_cast<long>(i3d) * j3d * (h3d / 2) + static_cast<long>(i3d) * (j3d / 2) +
               i3d / 2;
    return lineL / 2;
}

void
set_singleton_seed(int pos)
{
    uint32_t centre = static_cast<uint32_t>(centre_cell());
    if (value_range > 2) {
        int background = static_cast<int>(random() % value_range);
        for (uint32_t c = 0; c < lineL; c++)
            set_value(A, c, background);
        int value;
        do
            value = static_cast<int>(random() % value_range);
        while (value == background);
        set_value(A, centre, value);
    } else if (pos == 1) {
        memset(A, 0, bytesL);
        set_value(A, centre, 1);
    } else {
        memset(A, 0xFF, bytesL);
        // The spare bits past the last cell stay 0, as in every state line.
        for (uint32_t b = lineL; b < 8u * bytesL; b++)
            set_bitlong(A, b, 0);
        set_value(A, centre, 0);
    }
    seed_was_set = 1;
}

void
change_random_cell()
{
    uint32_t c = static_cast<uint32_t>(random() % lineL);
    if (value_range > 2)
        set_value(A, c, static_cast<int>(random() % value_range));
    else
        A[c >> 3] ^= static_cast<uint8_t>(1u << (c & 7));
    seed_was_set = 1;
}

void
carry_state_line(const uint8_t *from, uint32_t from_n, uint8_t *to, uint32_t to_n)
{
    // Cell by cell: with 3 bits a cell, a cell can straddle two bytes.
    const uint32_t kept = from_n < to_n ? from_n : to_n;
    for (uint32_t c = 0; c < kept; c++)
        set_value(to, c, get_value(from, c));
}

void
resize_state_lines(int change, uint8_t run_seq_update)
{
    const uint32_t old_n = lineL;
    const uint32_t new_n = old_n + change;
    uint8_t *carried = static_cast<uint8_t *>(
        checked_calloc(value_line_bytes(new_n, value_bits), 1, "temppoint"));
    carry_state_line(A, old_n, carried, new_n);
    uint16_t *old_order = static_cast<uint16_t *>(checked_calloc(old_n, sizeof(uint16_t), "seq_order"));
    memcpy(old_order, seq_order, old_n * sizeof(uint16_t));

    free_mem_CA_states();
    L = static_cast<uint16_t>(L + change);
    lineL = static_cast<uint16_t>(L + 1);
    bytesL = static_cast<uint16_t>((static_cast<uint64_t>(lineL) * value_bits + 7) / 8);
    allocate_mem_CA_states();

    memcpy(A, carried, bytesL);
    memcpy(bitseed, carried, bytesL);
    checked_free(carried);

    if (run_seq_update == update_reverse_order) {
        reverse_order(seq_order, static_cast<int>(lineL));
    } else if (run_seq_update == update_seq_order) {
        uint32_t j = 0;
        for (uint32_t i = 0; i < old_n; i++)
            if (old_order[i] < lineL)
                seq_order[j++] = old_order[i];
        if (change > 0)
            seq_order[j] = static_cast<uint16_t>(L);
    } else {
        identity_order(seq_order, static_cast<int>(lineL));
    }
    checked_free(old_order);
    clamp_porder_limits();
}
