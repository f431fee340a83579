// The one checked allocator of every network array: zero-filled blocks whose
// failure ends the program through the out-of-memory box with the array's
// label. It also keeps the count of live blocks, so tests can check that
// stepping back past a set-up stage returns the count to where it was, and it
// can be told to fail a chosen allocation to exercise the failure path.
#pragma once
#include <cstddef>

// A zero-filled block of count * size bytes (at least one byte); on failure
// outof_memory(label), which does not return.
void *checked_calloc(size_t count, size_t size, const char *label);
// Resizes a block from checked_calloc (or a null pointer); bytes added are not
// cleared. On failure outof_memory(label).
void *checked_realloc(void *block, size_t size, const char *label);
// Releases a block from checked_calloc or checked_realloc; null is ignored.
void checked_free(void *block);

// Blocks allocated and not yet freed.
extern long live_allocations;
// 0: allocations succeed; N > 0: the N-th allocation from now fails (then 0).
extern unsigned long fail_allocation_after;
