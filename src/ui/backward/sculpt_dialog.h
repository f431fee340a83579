// The basin-field sculpting dialog: a target state, a list of aspiring
// pre-images, and learning, forgetting or only highlighting them. The
// passes themselves are engine/backward/sculpting.h.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ui/screen/key_table.h"

// Runs the dialog until the user leaves it; returns 1 when a learn or
// forget was chosen during the call, else 0. Sets hilight_learn for the
// next basin drawing.
int sculpt_basin_field();

// Lists the target and the aspiring pre-images in a box whose top is y:
// kind 'p' (parity 1 odd, 2 even), 'h' (mutant depth 1 or 2), 'r' (start,
// end, step) or 0. Returns the key that closed it.
int review_asp_pre_images(int y, int parity, int depth, uint32_t start, uint32_t end,
                          uint16_t step, int kind);

// The dialog's one-key menus, for the test that holds the words each shows
// against the keys its rows act on.
struct sculpt_menu_state {
    bool mix = false; // a rule mix: bit flips are offered
};
enum class sculpt_go {
    learn, forget, highlight_only, wire_moves, bit_flips, target, odd, even,
    as_before, parity, range, mutants, typed, none, suppress, convert,
};
using sculpt_key = key_row<sculpt_menu_state, sculpt_go>;
struct sculpt_menu_view {
    std::string name;
    std::vector<key_help_line> help; // the pieces listed now
    std::string keys;                // every key its rows act on
    bool has_default;                // a "(def)" row answers every other key
};
std::vector<sculpt_menu_view> sculpt_key_menus(const sculpt_menu_state &s);
