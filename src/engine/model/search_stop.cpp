// The stop of a long search (see search_stop.h): the one poll the program
// registered, asked by every capped search.
#include "engine/model/search_stop.h"

namespace {

search_stop_poll registered_poll = nullptr;

} // namespace

void
set_search_stop_poll(search_stop_poll poll)
{
    registered_poll = poll;
}

bool
search_stopped()
{
    return registered_poll != nullptr && registered_poll();
}
