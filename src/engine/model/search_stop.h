// The stop of a long search: the capped searches of the engines (chain
// rules, rules above a Z floor, rules in a Post class) ask here, between
// draws, whether the user wants them to stop. The engines see no keys; the
// program registers the key poll at start-up. Without one, no search stops
// early.
#pragma once

// Returns true when the user asked the search in progress to stop. Called
// once per draw, so it should keep itself cheap (poll only now and then).
typedef bool (*search_stop_poll)();
// Registers the poll of search_stopped (null: searches never stop early).
void set_search_stop_poll(search_stop_poll poll);

// True when the registered poll reports a request to stop; false without one.
bool search_stopped();
