// The key poll of long computations (successor tables, pre-image fans, the
// capped searches of the rule families and mutants): the engines ask
// whether the user pressed a key without knowing the window.
// The interface registers its poll at start-up; without one no key is ever
// pending, so the engines run to the end as they do with no window.
#pragma once

// Returns the key of an input event that is waiting (taking it from the
// queue), or 0 when none is; must not block.
typedef int (*key_poll_function)();
// Registers the poll (null: none).
void set_key_poll(key_poll_function poll);

// The key of a waiting input event through the registered poll; 0 when none
// is waiting or no poll is registered.
int key_poll();

// The stop of a capped search, asked once per draw: true when, on every
// 64th call, the poll finds 'q' waiting. False without a poll.
bool search_stopped();
