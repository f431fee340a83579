// The dialogs that set up a run pass: output parameters, the choice of run
// kind, the forward steps before a subtree, forward-only options and the
// sequential update order.
#pragma once

// "output parameters": resets the run settings and asks how to revise them;
// 'q' in is[0] to step back.
void select_pattern_scrolling();
// Forward-only options; 'q' in is[0] to step back.
void forward_only_para();
// Subtree or basin: sets direction and limitcheck; 'q' to step back.
void select_foreward_back();
// The forward steps before a subtree; 'q' to step back.
void select_stepforward();
// The sequential update order of a field.
void set_seq_update();
