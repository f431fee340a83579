// The registered key poll of the engines (see key_poll.h).
#include "engine/model/key_poll.h"

namespace {

key_poll_function registered_poll = nullptr;

} // namespace

void
set_key_poll(key_poll_function poll)
{
    registered_poll = poll;
}

int
key_poll()
{
    return registered_poll ? registered_poll() : 0;
}

bool
search_stopped()
{
    // A poll per draw would cost more than the draws; every 64th is prompt
    // enough for a key press.
    static unsigned countdown = 0;
    return ++countdown % 64 == 0 && key_poll() == 'q';
}
