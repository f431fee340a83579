// The order space of the neutral-order mode (neutral_buffers.h): what the
// network lends the mode (size, value range, shape, nonlocal and its state
// lines) is kept in one record from reset_neutral_buffs to
// restore_network_buffs. Start at reset_neutral_buffs.
#include "engine/backward/neutral_buffers.h"

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
    uint8_t oned, twod, threed, nonlocal;
    int16_t i2d, j2d;
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

int
order_rank_bits(int n)
{
    uint32_t orders_less_one = fact(n) - 1;
    int bits = 1;
    while (bits < 32 && (orders_less_one >> bits) != 0)
        bits++;
    return bits;
}

bool
reset_neutral_buffs()
{
    if (lineL < 1 || lineL > kMaxNeutralCells || templineL)
        return false;
    kept = {lineL,     value_range, value_bits, oned,           twod,      threed,     nonlocal,
            i2d,       j2d,         seq_order,  nhd,            bitseed,   firstseed,  this_firstseed,
            A,         F,           all_0s,     all_1s,         rot,       tempState,  tempState2,
            iscanal,   tar,         learn_pre,  notolearn,      pp_hist,   pp_hist_total};
    templineL = lineL;
    neutral_order = 1;
    statespace = fact(lineL) - 1;
    // An order rank is a binary number: its line is a 1d line of bits whose
    // cells no wiring connects, hence nonlocal.
    value_range = 2;
    value_bits = 1;
    oned = 1;
    twod = threed = 0;
    nonlocal = 1;
    lineL = static_cast<uint16_t>(order_rank_bits(templineL));
    set_line_lengths();
    set_i2dxj2d();
    allocate_mem_CA_states();
    return true;
}

void
restore_network_buffs()
{
    if (!templineL)
        return;
    free_mem_CA_states();
    lineL = kept.lineL;
    value_range = kept.value_range;
    value_bits = kept.value_bits;
    oned = kept.oned;
    twod = kept.twod;
    threed = kept.threed;
    nonlocal = kept.nonlocal;
    i2d = kept.i2d;
    j2d = kept.j2d;
    set_line_lengths();
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
