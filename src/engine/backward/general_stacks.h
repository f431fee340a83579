// The general method's breadth-first form and the stacks of partial
// pre-images every form ends in (used only by the files of the general
// method). A partial pre-image is kept for every assignment that gives the
// target value at every cell done so far; cells no processed cell reads stay
// wild and are expanded to every value at the end.
//
// A partial is a value line followed by a flag line (bit i set when cell i
// is assigned), 2 x bytesL bytes, or in the word form one 64-bit word
// (general_tries.h). The partials are held in one of two contiguous stacks
// that alternate from cell to cell and grow geometrically, through the
// checked allocator's try_ variant, up to partial_preimage_limit entries.
#pragma once
#include <cstddef>
#include <cstdint>

// How the extension of the empty partial over every cell ended.
enum class partials_end {
    found,    // the final partials are in the stack the extension names
    none,     // a cell had no try left: a garden-of-Eden target
    too_many, // the limit or the memory was reached: the target is abandoned
    stopped,  // the user stopped the fan (fan_search_stopped): nothing is handed over
};

// The two stacks, released by release_partial_stacks.
struct partial_stacks {
    uint8_t *mem[2] = {nullptr, nullptr};
    size_t capacity[2] = {0, 0}; // entries
    uint32_t count[2] = {0, 0};
};
extern partial_stacks stacks_of_partials;

void release_partial_stacks();
// Stack s grown to room for entry i; false when the limit or memory is
// reached.
bool grow_partial_stack(int s, uint64_t i);
// Room for entry i (0-based) of stack s; false when the limit or memory is
// reached. Asked for every partial: the common answer is inline.
inline bool
reserve_partial(int s, uint64_t i)
{
    return i < stacks_of_partials.capacity[s] || grow_partial_stack(s, i);
}
inline uint64_t *
stack_words(int s)
{
    return reinterpret_cast<uint64_t *>(stacks_of_partials.mem[s]);
}

// The extension cell by cell from the single empty partial in stack 0, as
// lines or (word form) as words; the final partials' stack in *last.
partials_end extend_lines(int *last);
partials_end extend_words(int *last);
// Every wild cell of every final partial in stack s expanded to every value,
// the partials appended expanded too (pp_wild: how many); false when the
// limit or memory is reached.
bool expand_wild_lines(int s);
bool expand_wild_words(int s);
