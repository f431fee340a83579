// The record of the allocation that failed while a tree was built (see
// tree_memory.h).
#include "engine/backward/tree_memory.h"

namespace {

tree_memory_failure failure;

} // namespace

void
note_tree_memory_failure(const char *what, size_t bytes)
{
    if (!failure.what)
        failure = {what, bytes};
}

const tree_memory_failure &
tree_memory_failed()
{
    return failure;
}

void
clear_tree_memory_failure()
{
    failure = tree_memory_failure();
}
