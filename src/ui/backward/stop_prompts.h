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
// pre-image fan" first); returns the key, 'q' or 'n' meaning stop. 'o' opens
// the options box (a local 1d network is wired as regular 1d again after
// it) and 'h' the in-degree histogram when it is counted, each followed by
// the prompt again. Needs an open window.
int ask_stop_key(int lines);

// What the stop prompts open through the driver, which registers it at
// start-up: the after-run options box (finish_options). When absent it is
// skipped and the prompt is shown again.
struct tree_prompt_hooks {
    void (*open_options)(int flag);
};
void set_tree_prompt_hooks(const tree_prompt_hooks &hooks);
// The options box (finish_options(1)); a network that was local 1d is wired
// as regular 1d again after it, as its local pre-image method needs.
void open_options_box();

// Whether the window is to be asked for a key now. Asking costs a round of
// system calls to the server, so the polls between nodes and pre-images
// (and the engines' polls) ask at most once a millisecond by the coarse
// clock (in practice once a kernel tick), which is read only every so many
// calls at a fast rate of calls; the first call after restart_window_poll
// always asks.
bool window_poll_due();
void restart_window_poll();

// Registers the window's key poll and the pre-image prompts with the
// engines. Each does nothing while no window is open, as the engines do
// without them.
void register_engine_prompts();
