// Sculpting a basin field: the list of aspiring pre-images of the target
// tar (learn_pre, notolearn lines), and the passes that change the rule
// tables (bit flips) or the wiring (wire moves) so that each becomes a
// pre-image of tar ("learn") or stops being one ("forget"). The dialog is
// ui/backward/sculpt_dialog.h; this file computes, it draws nothing.
#pragma once
#include <cstdint>
#include <vector>

// The longest list of aspiring pre-images; a longer one is cut to it.
constexpr uint32_t kMostAspiring = uint32_t(1) << 20;

// What a list builder did: its count, and whether it was cut to
// kMostAspiring states or could not be held in memory (then the list is
// as it was before).
struct asp_list_result {
    uint32_t count = 0;
    bool cut = false;
    bool no_memory = false;
};

// Makes learn_pre hold count zero-filled lines (count >= 1), with the
// recoverable allocator: false, and the list as it was, when memory runs
// out.
bool resize_asp_list(uint32_t count);

// The largest state number of a range: v^min(n, maxL_lu) - 1, at most 2^32 - 1.
uint32_t asp_range_max();
// States start, start + step, ... up to end (count (end - start) / step + 1;
// step below 2 gives every state).
asp_list_result asp_list_range(uint32_t start, uint32_t end, uint32_t step);
// States numbered 2^d - 1 down to 0 (d cells, at most 20 and n) whose cell
// values sum to an odd number (parity 1) or an even one (parity 2).
asp_list_result asp_list_parity(int parity, int d);
// The one-cell mutants of tar, cell 0 first (depth 1); with depth 2, after
// each one-cell mutant of cell i, the mutants made by also changing cell j
// for j = 0 .. L-1, each kept only when not already in the list. A change
// gives v = 2 the other value, v > 2 (x + 1 + random() % (v-1)) % v.
asp_list_result asp_list_mutants(int depth);

// The output of cell c under state (its rule row c with rulemix, else row
// 0), with its inputs read from inputs[0 .. k-1].
int cell_output(int c, const uint8_t *state, const uint16_t *inputs);
// 1 when every cell's output under state is tar's value: state is a
// pre-image of tar.
bool maps_onto_target(const uint8_t *state);

enum class sculpt_aim { learn, forget };
enum class sculpt_change { bit_flips, wire_moves };

// The work arrays of the passes, allocated for n cells and k inputs
// (labels "pnhood", "shuff_wire", "shuffle_z", "shuff_z2"), freed with the
// record. pnhood is the tentative input list of the cell being rewired, not
// the forward run's buffer.
struct sculpt_work {
    uint16_t *pnhood = nullptr;
    uint16_t *shuff_wire = nullptr;
    uint16_t *shuffle_z = nullptr;
    uint16_t *shuff_z2 = nullptr;
    sculpt_work();
    ~sculpt_work();
    sculpt_work(const sculpt_work &) = delete;
    sculpt_work &operator=(const sculpt_work &) = delete;
};

// One pass over learn_pre[0 .. notolearn-1] in list order, each over the
// cells in a fresh random order: learning changes every cell whose output
// is not tar's value; forgetting changes the first cell whose output is
// tar's value (none when some cell already differs). A bit flip gives the
// rule entry the other value (v = 2), tar's value (learn) or
// (t + 1 + random() % (v-1)) % v (forget, v > 2). A wire move tries the
// cell's input positions in a fresh random order and for each every source
// cell in a fresh random order, keeping the first rewiring under which
// every aspiring pre-image up to this one gives the wanted output.
void sculpt_pass(sculpt_aim aim, sculpt_change change, sculpt_work &w);

// The aspiring pre-images split into those now mapped onto tar and the
// others, each in list order.
struct sculpt_split {
    std::vector<uint32_t> ok, no;
};
sculpt_split split_by_target();
// True when the aim is not met for some aspiring pre-image.
bool something_left(sculpt_aim aim, const sculpt_split &s);
// Reorders learn_pre for another pass: the last of the ones not achieved
// first, then the achieved ones in a random order, then the other ones not
// achieved in a random order.
void reorder_for_another_pass(sculpt_aim aim, const sculpt_split &s);
