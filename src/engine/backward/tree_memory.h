// The allocation that failed while a tree was built: what it was for and how
// many bytes it asked. The level lists and the general method's stacks give
// up cleanly when memory runs out, so the tree is abandoned as it is when a
// list is full; this record lets the report say which of the two happened.
// Cleared when a tree's level lists are started (tree_levels.h).
#pragma once
#include <cstddef>

struct tree_memory_failure {
    const char *what = nullptr; // null: no allocation failed
    size_t bytes = 0;           // the size asked
};

// Notes a failed allocation of bytes for what (a string literal); the first
// failure of a tree is kept.
void note_tree_memory_failure(const char *what, size_t bytes);
// The failure noted since the last clear.
const tree_memory_failure &tree_memory_failed();
void clear_tree_memory_failure();
