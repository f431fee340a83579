// Stand-in of the neutral-order buffers (neutral_buffers.h): the network's
// size, shape and state lines are kept in one record while the state line
// is an order rank's bit string. Start at reset_neutral_buffs.
#include "engine/backward/neutral_buffers.h"

#include <cstdint>

#include "engine/backward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/network_shape.h"

namespace {

// What the mode borrows from the network, put back on leaving it.
struct kept_network {
    uint16_t lineL;
    int8_t value_range, value_bits;
    uint8_t oned, twod, threed;
    uint32_t statespace;
    uint16_t *seq_order, *nhd;
    uint8_t *bitseed, *firstseed, *this_firstseed, *A, *F, *all_0s, *all_1s, *rot, *tempState,
        *tempState2, *iscanal, *tar;
    uint8_t **learn_pre;
    int32_t notolearn;
    uint16_t *pp_hist;
    uint32_t *pp_hist_total;
};

kept_network kept;

} // namespace

void
reset_neutral_buffs()
{
    kept = {lineL, value_range, value_bits, oned, twod, threed, statespace, seq_order, nhd,
            bitseed, firstseed, this_firstseed, A, F, all_0s, all_1s, rot, tempState,
            tempState2, iscanal, tar, learn_pre, notolearn, pp_hist, pp_hist_total};
    uint32_t orders_less_one = fact(lineL) - 1;
    int bits = 1;
    while (bits < 32 && (orders_less_one >> bits) != 0)
        bits++;
    templineL = lineL;
    neutral_order = 1;
    value_range = 2;
    value_bits = 1;
    oned = 1;
    twod = threed = 0;
    lineL = static_cast<uint16_t>(bits);
    set_line_lengths();
    allocate_mem_CA_states();
    statespace = orders_less_one;
}

void
restore_network_buffs()
{
    free_mem_CA_states();
    lineL = kept.lineL;
    value_range = kept.value_range;
    value_bits = kept.value_bits;
    oned = kept.oned;
    twod = kept.twod;
    threed = kept.threed;
    set_line_lengths();
    statespace = kept.statespace;
    seq_order = kept.seq_order;
    nhd = kept.nhd;
    bitseed = kept.bitseed;
    firstseed = kept.firstseed;
    this_firstseed = kept.this_firstseed;
    A = kept.A;
    F = kept.F;
    all_0s = kept.all_0s;
    all_1s = kept.all_1s;
    rot = kept.rot;
    tempState = kept.tempState;
    tempState2 = kept.tempState2;
    iscanal = kept.iscanal;
    tar = kept.tar;
    learn_pre = kept.learn_pre;
    notolearn = kept.notolearn;
    pp_hist = kept.pp_hist;
    pp_hist_total = kept.pp_hist_total;
    templineL = 0;
    neutral_order = 0;
}
