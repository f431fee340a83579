// What the single-rule dialog and the code dialog share: the menu's
// background, one-line prompts, the change box of a walk, the per-k memory
// of a walk over a mixed-k network, and the readout after each rule made.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The row and k a dialog edits at index i of its walk: a single rule edits
// row cell (row 0 for Maxu) with that cell's k; a list row i with cell i's
// k when k is mixed and cell is Maxu, else nhood.
int walk_row(int single, int i, int cell);
int walk_k(int single, int i, int cell);

// Clears the text column below the current row (set-up) or puts the revise
// box back (revise), before the menu is written.
void clear_menu_background(int mode);
// A one-line prompt in the prompt box and an entry of up to max characters
// (mode as input_string); the box is erased afterwards.
int ask_line(const char *text, int max, int mode);
// The number at the start of the last entry, when it lies within limit.
bool entry_within(uint64_t limit, uint32_t *number);

// What the walk does after the change box.
enum class walk_change { menu, same_index };
// The change box of index (of count rows): 'q' or 'a' back to the menu ('b'
// as method when it came from repeat), 's' a new method, 'i' a new index.
walk_change change_box(int *index, int count, char *method, bool from_repeat);

// True while a forward-only pattern runs after the set-up, when the rule
// readout is not redrawn.
bool forward_only_running();

// The last rule made for each k during a walk over a mixed-k network, and
// whether the next cell of that k gets it without asking.
struct k_memory {
    std::vector<uint8_t> mark;              // 0 none, 1 made, 'a' give to every cell
    std::vector<std::vector<uint8_t>> rule; // the last row made for each k
    // Sized for k up to Maxnhood with rows of the given bytes per k.
    void size(size_t (*bytes)(int k));
};
