// The checked allocator of the network arrays (see checked_alloc.h); every
// other file allocates through here. Failures go to the handler the program
// registered, or to default_outof_memory.
#include "engine/model/checked_alloc.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

long live_allocations = 0;
unsigned long fail_allocation_after = 0;

namespace {

// Without a window there is no box to show: name the array and end.
[[noreturn]] void
default_outof_memory(const char *label)
{
    fprintf(stderr, " not enough memory for %s\n", label);
    exit(1);
}

outof_memory_handler registered_handler = nullptr;

[[noreturn]] void
report_failure(const char *label)
{
    if (registered_handler)
        registered_handler(label);
    // A handler that returns has not ended the program: end it here.
    default_outof_memory(label);
}

// True when the fault hook asks this allocation to fail.
bool
injected_failure()
{
    if (fail_allocation_after == 0)
        return false;
    return --fail_allocation_after == 0;
}

} // namespace

void
set_outof_memory_handler(outof_memory_handler handler)
{
    registered_handler = handler;
}

void *
try_checked_calloc(size_t count, size_t size)
{
    if (count == 0 || size == 0)
        count = size = 1;
    void *block = injected_failure() ? nullptr : calloc(count, size);
    if (block)
        live_allocations++;
    return block;
}

void *
try_checked_realloc(void *block, size_t size)
{
    if (size == 0)
        size = 1;
    void *moved = injected_failure() ? nullptr : realloc(block, size);
    if (moved && !block)
        live_allocations++;
    return moved;
}

void *
checked_calloc(size_t count, size_t size, const char *label)
{
    void *block = try_checked_calloc(count, size);
    if (!block)
        report_failure(label);
    return block;
}

void *
checked_realloc(void *block, size_t size, const char *label)
{
    void *moved = try_checked_realloc(block, size);
    if (!moved)
        report_failure(label);
    return moved;
}

void
checked_free(void *block)
{
    if (!block)
        return;
    free(block);
    live_allocations--;
}

uint64_t
physical_memory_bytes()
{
    return static_cast<uint64_t>(sysconf(_SC_PHYS_PAGES)) * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
}
