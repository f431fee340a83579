// The check of a partial pre-image's unassigned cell (wild_cells.h).
// Reads bytesL; shows the error through preimage_prompts.h.
#include "engine/backward/wild_cells.h"

#include "engine/backward/preimage_prompts.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"

void
check_wild_cell(uint8_t *partial, uint32_t cell)
{
    int value = get_value(partial, cell);
    if (value == 0)
        return;
    int flag = (partial[bytesL + (cell >> 3)] >> (cell & 7)) & 1;
    show_wild_cell_error(value, flag);
    set_value(partial, cell, 0);
}

void
check_wild_cell_word(uint64_t *partial, uint32_t cell)
{
    uint64_t bit = uint64_t(1) << cell;
    if (!(*partial & bit))
        return;
    int flag = static_cast<int>((*partial >> (32 + cell)) & 1);
    show_wild_cell_error(1, flag);
    *partial &= ~bit;
}
