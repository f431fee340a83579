// The one checked allocator of every network array: zero-filled blocks whose
// failure ends the program through the out-of-memory handler with the array's
// label. The program registers its out-of-memory box as that handler at
// start-up; without one, the label goes to standard error and the process
// exits with status 1, so the engines need nothing above them. The allocator
// also keeps the count of live blocks, so tests can check that stepping back
// past a set-up stage returns the count to where it was, and it can be told
// to fail a chosen allocation to exercise the failure path.
#pragma once
#include <cstddef>
#include <cstdint>
#include <type_traits>

// Called with the label of an allocation that failed; must not return.
typedef void (*outof_memory_handler)(const char *label);
// Registers the handler of failed allocations (null: the default one).
void set_outof_memory_handler(outof_memory_handler handler);

// A zero-filled block of count * size bytes (at least one byte); on failure
// the out-of-memory handler with label, which does not return.
void *checked_calloc(size_t count, size_t size, const char *label);
// Resizes a block from checked_calloc (or a null pointer); bytes added are not
// cleared. On failure the out-of-memory handler with label.
void *checked_realloc(void *block, size_t size, const char *label);
// As checked_calloc and checked_realloc, for allocations whose failure the
// caller can recover from: null on failure (the block passed to
// try_checked_realloc then stays valid), counted like the rest.
void *try_checked_calloc(size_t count, size_t size);
void *try_checked_realloc(void *block, size_t size);
// Releases a block from any of the above; null is ignored.
void checked_free(void *block);
// The machine's physical memory in bytes: the tables that grow with the
// state space or the pre-images stay within half of it, so that a large
// network is refused with a message instead of the system ending the
// program for want of memory.
uint64_t physical_memory_bytes();

// Blocks allocated and not yet freed.
extern long live_allocations;
// 0: allocations succeed; N > 0: the N-th allocation from now fails (then 0).
extern unsigned long fail_allocation_after;

// An allocator for std::vector whose blocks come from checked_calloc with
// label: a table that cannot grow reaches the out-of-memory handler, as every
// network array does, instead of throwing std::bad_alloc past it, and its
// blocks are counted and can be made to fail like the rest. label is a char
// array of static storage:
//     inline constexpr char tries_label[] = "tries_of_cells";
//     std::vector<uint32_t, checked_allocator<uint32_t, tries_label>> first;
template <class T, const char *label>
struct checked_allocator {
    static_assert(alignof(T) <= alignof(std::max_align_t), "calloc aligns no further");
    using value_type = T;
    using is_always_equal = std::true_type;
    template <class U>
    struct rebind {
        using other = checked_allocator<U, label>;
    };

    checked_allocator() = default;
    template <class U>
    checked_allocator(const checked_allocator<U, label> &)
    {
    }
    T *allocate(size_t n) { return static_cast<T *>(checked_calloc(n, sizeof(T), label)); }
    void deallocate(T *block, size_t) { checked_free(block); }
};
template <class T, class U, const char *label>
bool
operator==(const checked_allocator<T, label> &, const checked_allocator<U, label> &)
{
    return true;
}
template <class T, class U, const char *label>
bool
operator!=(const checked_allocator<T, label> &, const checked_allocator<U, label> &)
{
    return false;
}
