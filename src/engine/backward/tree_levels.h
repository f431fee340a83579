// The tree builder's two level lists preim0 and preim1 with their
// coordinate lists. States of a level are kept in a pool owned by the list,
// so a whole level is released at once when the lists swap; the pointer and
// coordinate arrays grow geometrically. Every growth that fails returns 0
// instead of ending the program, so the caller can abandon the tree cleanly,
// and notes what it asked for (tree_memory.h).
//
// With the table method (exhaustive_testing, every state number below 2^32)
// or the general method's word form (v = 2, at most 31 cells) the lists
// hold state numbers instead of lines: the method finds pre-images as
// numbers (the table marks them by number too), so a line is made only
// where one is read (the node taken into A, a drawing, a data line); preim0
// and preim1 then stay empty.
#pragma once
#include <cstdint>
#include <cstring>

#include "engine/backward/globals.h"
#include "engine/model/globals.h"

// Both lists with their empty entry 0 and one coordinate each; pools empty;
// numbers or lines as the pre-image method gives. 0 when memory ran out.
int start_level_lists();
// Releases both lists, their coordinates and their pools.
void free_level_lists();
// The lists of a tree ended: freed, unless they are held.
void end_level_lists();
// A basin field holds the lists from one tree to the next, so that its
// trees (thousands of small ones in some fields) do not each allocate,
// grow and free them: while held, end_level_lists keeps the arrays and
// pools as they are and start_level_lists takes them again (their entries
// are written before they are read). Ending the hold frees them.
void hold_level_lists(bool hold);
// Releases every state of one list (0: preim0, 1: preim1) at once; the
// arrays keep their size for the next level.
void release_level(int which);
// A fresh line of bytesL bytes at entry index of the list being filled
// (preim0 when pretog is non-zero, else preim1), the list and its
// coordinates grown to index + 1 entries. Null when memory ran out. Lists of
// lines only.
uint8_t *next_level_entry(uint32_t index);
// 1 when the lists hold state numbers (table mode, the general method's
// word form), 0 when lines.
inline int
level_lists_hold_numbers()
{
    return preim_numbers[0] != nullptr;
}
// Grows the list of numbers being filled to index + 1 entries; 0 when
// memory ran out.
int grow_next_level_numbers(uint32_t index);
// Room for entries 0..index in the list of numbers being filled, grown when
// it has less; 0 when memory ran out.
inline int
room_in_next_level_numbers(uint32_t index)
{
    return index < preim_capacity[pretog ? 0 : 1] || grow_next_level_numbers(index);
}
// State number at entry index of the list being filled, grown as
// next_level_entry grows it; 0 when memory ran out. Lists of numbers only.
inline int
store_next_level_number(uint32_t index, uint32_t number)
{
    if (!room_in_next_level_numbers(index))
        return 0;
    preim_numbers[pretog ? 0 : 1][index] = number;
    return 1;
}
// The state number at entry index of the list being filled, either kind.
uint32_t next_level_number(uint32_t index);
// The state number at entry index of the list being expanded. Lists of
// numbers only.
inline uint32_t
current_level_number(uint32_t index)
{
    return preim_numbers[pretog ? 1 : 0][index];
}
// The list being expanded (preim0 when pretog is 0) and its coordinates.
uint8_t **current_level();
int16_t *next_level_x();
int16_t *next_level_y();

// The value line of state number (below v^n) into line (bytesL bytes). For
// v = 2 the line is the number's own bytes, cell 0 the lowest bit, stored
// at once (a state number has at most 4); other lines are written digit by
// digit (write_state_line_digits).
void write_state_line_digits(uint8_t *line, uint32_t number);
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "v = 2 lines are little-endian numbers");
inline void
write_state_line(uint8_t *line, uint32_t number)
{
    if (value_range != 2) {
        write_state_line_digits(line, number);
        return;
    }
    switch (bytesL) {
    case 1:
        memcpy(line, &number, 1);
        return;
    case 2:
        memcpy(line, &number, 2);
        return;
    case 3:
        memcpy(line, &number, 3);
        return;
    case 4:
        memcpy(line, &number, 4);
        return;
    default:
        write_state_line_digits(line, number);
    }
}
