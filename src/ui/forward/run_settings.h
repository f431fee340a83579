// The dialogs that set up a run pass: the output parameters (with the
// resets every run starts from and the graph sweeps), the forward-only
// options, the choice of run kind and the forward steps before a subtree.
#pragma once

// "output parameters": resets the run settings, then asks how to revise
// them; 'q' in is[0] to step back ('s' under tot_only).
void select_pattern_scrolling();
// FORWARD ONLY options; 'q' in is[0] to step back.
void forward_only_para();
// Subtree, basin or pattern only, with the history limit and the pre-image
// method; sets direction and limitcheck; 'q' in is[0] to step back.
void select_foreward_back();
// With direction 'b': the forward steps before the subtree, the pattern
// display and the pre-image method; 'q' in is[0] to step back.
void select_stepforward();

// The driver's network resize (change_net_size), which the G-density size
// range calls; registered at start-up. Unregistered, the range starts at
// the current size.
void set_network_resizer(void (*resize)(int n));
