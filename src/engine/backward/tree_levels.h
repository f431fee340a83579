// The tree builder's two level lists preim0 and preim1 with their
// coordinate lists. States of a level are kept in a pool owned by the list,
// so a whole level is released at once when the lists swap; the pointer and
// coordinate arrays grow geometrically. Every growth that fails returns 0
// instead of ending the program, so the caller can abandon the tree cleanly.
#pragma once
#include <cstdint>

// Both lists with their empty entry 0 and one coordinate each; pools empty.
// 0 when memory ran out.
int start_level_lists();
// Releases both lists, their coordinates and their pools.
void free_level_lists();
// Releases every state of one list (0: preim0, 1: preim1) at once; the
// arrays keep their size for the next level.
void release_level(int which);
// A fresh line of bytesL bytes at entry index of the list being filled
// (preim0 when pretog is non-zero, else preim1), the list and its
// coordinates grown to index + 1 entries. Null when memory ran out.
uint8_t *next_level_entry(uint32_t index);
// The list being expanded (preim0 when pretog is 0) and its coordinates.
uint8_t **current_level();
int16_t *next_level_x();
int16_t *next_level_y();
