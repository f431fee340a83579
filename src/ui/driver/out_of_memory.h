// The fatal end of a failed allocation.
#pragma once

// Shows " not enough memory for <what>", lets the user print or save the
// screen or open the rule options, and exits with status 1. Before the window
// opens the message goes to standard error alone.
[[noreturn]] void outof_memory(const char *what);
// Ends through outof_memory when is[0] is 'q', else returns 1.
int final_quit();
