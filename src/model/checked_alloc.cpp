// The checked allocator of the network arrays (see checked_alloc.h). Reads
// outof_memory from the screen layer; everything else allocates through here.
#include "model/checked_alloc.h"

#include <cstdlib>

#include "screen/out_of_memory.h"

long live_allocations = 0;
unsigned long fail_allocation_after = 0;

namespace {

// True when the fault hook asks this allocation to fail.
bool
injected_failure()
{
    if (fail_allocation_after == 0)
        return false;
    return --fail_allocation_after == 0;
}

} // namespace

void *
checked_calloc(size_t count, size_t size, const char *label)
{
    if (count == 0 || size == 0)
        count = size = 1;
    void *block = injected_failure() ? nullptr : calloc(count, size);
    if (!block)
        outof_memory(label);
    live_allocations++;
    return block;
}

void *
checked_realloc(void *block, size_t size, const char *label)
{
    if (size == 0)
        size = 1;
    void *moved = injected_failure() ? nullptr : realloc(block, size);
    if (!moved)
        outof_memory(label);
    if (!block)
        live_allocations++;
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
