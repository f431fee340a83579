// The general pre-image method's check of a partial pre-image before its
// wild cells are expanded: a cell no try assigned must still hold value 0,
// as the expansion keeps 0 there and appends a copy for every other value.
// A non-zero value there means the partial was corrupted; it is shown as an
// error (the search goes on) and set to 0, so that the expansion still
// gives each value of the cell once.
#pragma once
#include <cstdint>

// A partial of the line form: the value line (bytesL bytes) followed by the
// flag line; cell is one whose flag is clear.
void check_wild_cell(uint8_t *partial, uint32_t cell);
// A partial of the word form: cell values in the low 32 bits, assigned
// flags in the high 32.
void check_wild_cell_word(uint64_t *partial, uint32_t cell);
