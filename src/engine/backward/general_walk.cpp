// The general method's depth-first walk (see general_walk.h): its tables,
// made from the word tries (general_tries.h) for the cell order, and the
// walk of a target from position L. Reads reorderRBN, cell_order,
// see_ppstack and partial_preimage_limit. Start at walk_from_top; the walk
// from kept midpoints is in general_midpoints.cpp.
#include "engine/backward/general_walk.h"

#include "engine/backward/globals.h"

walk_tables tables_of_walk;

namespace {

// The set of cell r's tries (both halves) that agree with a try.
uint16_t
agreeing(uint32_t r, const word_try &with)
{
    const general_tries &g = tries_of_cells;
    uint32_t lane = 0;
    for (uint32_t t = 0; t < 2; t++)
        for (uint32_t i = g.word_first[r * 2 + t]; i < g.word_first[r * 2 + t + 1]; i++) {
            const word_try &tr = g.words[i];
            if (((tr.value ^ with.value) & tr.mask & with.mask) == 0)
                lane |= 1u << (8 * t + i - g.word_first[r * 2 + t]);
        }
    return static_cast<uint16_t>(lane);
}

// Sets with every lane all ones.
try_sets
all_ones()
{
    try_sets s;
    for (uint16_t &lane : s.lane)
        lane = 0xffff;
    return s;
}

// For each byte, the lanes of its bits set all ones, the others zero.
struct byte_lanes {
    set_lanes of[256];
    byte_lanes()
    {
        for (uint32_t b = 0; b < 256; b++)
            for (uint32_t i = 0; i < 8; i++)
                of[b][i] = static_cast<uint16_t>(b >> i & 1 ? 0xffff : 0);
    }
};
const byte_lanes lanes_of_byte;

} // namespace

void
build_walk_tables()
{
    const general_tries &g = tries_of_cells;
    tables_of_walk.ready = true;
    for (uint32_t i = 0; i < 2 * lineL; i++)
        tables_of_walk.ready = tables_of_walk.ready && g.word_first[i + 1] - g.word_first[i] <= most_walk_tries;
    tables_of_walk.order = reorderRBN ? cell_order : nullptr;
    if (!tables_of_walk.ready)
        return;
    tables_of_walk.start = all_ones();
    for (uint32_t c = 0; c < lineL; c++)
        tables_of_walk.start.lane[c] = agreeing(c, word_try{0, 0});
    tables_of_walk.keep.resize(g.words.size());
    tables_of_walk.positions.resize(lineL);
    for (uint32_t pos = 0; pos < lineL; pos++) {
        uint32_t c = cell_at(pos);
        tables_of_walk.positions[pos] = {c, {g.word_first[c * 2], g.word_first[c * 2 + 1]}};
        for (uint32_t t = g.word_first[c * 2]; t < g.word_first[c * 2 + 2]; t++) {
            try_sets &keep = tables_of_walk.keep[t];
            keep = all_ones();
            for (uint32_t below = 0; below < pos; below++) {
                uint32_t r = cell_at(below);
                keep.lane[r] = agreeing(r, g.words[t]);
            }
        }
    }
}

void
release_walk_tables()
{
    // Moved from fresh tables, the vectors give their memory back.
    tables_of_walk = walk_tables();
}

bool
walk_allowed()
{
    return tables_of_walk.ready && tables_of_walk.order == (reorderRBN ? cell_order : nullptr) && !see_ppstack &&
           (uint64_t(1) << lineL) < partial_preimage_limit;
}

word_walk
start_walk(uint32_t target, uint32_t cells)
{
    word_walk w;
    w.target = target;
    w.count = 0;
    w.stop = no_stop;
    for (uint32_t j = 0; j < 4; j++) {
        set_lanes ones = lanes_of_byte.of[(target >> (8 * j)) & 0xff]; // where the target value is 1
        set_lanes others = lanes_of_byte.of[~(cells >> (8 * j)) & 0xff];
        w.relevant.v[j] = (ones ^ 0x00ff) | others;
    }
    w.positions = tables_of_walk.positions.data();
    w.tries = tries_of_cells.words.data();
    w.keep = tables_of_walk.keep.data();
    return w;
}

bool
walk_from_top(word_walk &w)
{
    try_sets sets;
    if (!narrow_sets<4>(sets, tables_of_walk.start, tables_of_walk.start, w.relevant))
        return true; // a cell with no entry for its value
    uint32_t fits = fitting_tries(w, L, sets);
    return by_lane_count([&](auto lanes) { return walk_words<decltype(lanes)::value>(w, L, 0, 0, &sets, fits); });
}
