// The prompts of the tree builder and of the pre-image engines: the one-key
// prompt, the stop prompt of a fan or a tree, and the window side of the
// engines' prompts and key poll (engine/backward/preimage_prompts.h,
// engine/model/key_poll.h), registered at start-up.
#pragma once

// Shows text in a one-line prompt box, reads one key, erases the box and
// restores the current point; returns the key (also in is[0]). Needs an
// open window.
int ask_one_key(const char *text);
// The stop prompt of a fan or a tree: lines 1 or 2 (2 adds "early exit - in
// pre-image fan" first); returns the key, 'q' or 'n' meaning stop. Needs an
// open window.
int ask_stop_key(int lines);

// Registers the window's key poll and the pre-image prompts with the
// engines. Each does nothing while no window is open, as the engines do
// without them.
void register_engine_prompts();
