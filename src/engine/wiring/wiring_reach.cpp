// The reach of a cell through the wiring (wiring_reach.h). Reads the
// wiring table, nhoodm, lineL and bytesL (model/globals.h). The readers of
// each cell are indexed once at the start, so that a step over outputs
// costs the links it follows, not a scan of the whole table per cell.
#include "engine/wiring/wiring_reach.h"

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"

namespace {

bool
bit(const uint8_t *set, uint16_t c)
{
    return (set[c >> 3] >> (c & 7)) & 1;
}

void
set_bit(uint8_t *set, uint16_t c)
{
    set[c >> 3] = static_cast<uint8_t>(set[c >> 3] | (1u << (c & 7)));
}

// Input p of cell c when it names a cell of the network (an empty slot
// names none).
bool
wired_input(uint16_t c, int p, uint16_t n)
{
    return wiring[c][p] < n;
}

} // namespace

wiring_reach::wiring_reach(reach_kind kind, uint16_t cell)
    : kind_(kind), cell_(cell), n_(lineL)
{
    size_t bytes = bytesL > (n_ + 7) / 8 ? bytesL : (n_ + 7) / 8;
    reached_ = static_cast<uint8_t *>(checked_calloc(bytes, 1, "linknet"));
    expanded_ = static_cast<uint8_t *>(checked_calloc(bytes, 1, "genedone"));
    this_step_ = static_cast<uint8_t *>(checked_calloc(bytes, 1, "this_sweep"));
    if (kind_ != reach_kind::outputs)
        return;
    reader_start_ = static_cast<uint32_t *>(
        checked_calloc(static_cast<size_t>(n_) + 1, sizeof(uint32_t), "reader_index"));
    for (uint16_t j = 0; j < n_; j++)
        for (int p = 0; p < nhoodm[j]; p++)
            if (wired_input(j, p, n_))
                reader_start_[wiring[j][p] + 1]++;
    for (uint32_t c = 0; c < n_; c++)
        reader_start_[c + 1] += reader_start_[c];
    reader_list_ = static_cast<uint16_t *>(
        checked_calloc(reader_start_[n_] + 1, sizeof(uint16_t), "reader_index"));
    // Filled from the top cell down, so each list runs from its highest
    // reader, the order the links are drawn in.
    uint32_t *next = static_cast<uint32_t *>(
        checked_calloc(static_cast<size_t>(n_) + 1, sizeof(uint32_t), "reader_index"));
    for (uint32_t c = 0; c < n_; c++)
        next[c] = reader_start_[c];
    for (int j = n_ - 1; j >= 0; j--)
        for (int p = 0; p < nhoodm[j]; p++)
            if (wired_input(static_cast<uint16_t>(j), p, n_))
                reader_list_[next[wiring[j][p]]++] = static_cast<uint16_t>(j);
    checked_free(next);
}

wiring_reach::~wiring_reach()
{
    checked_free(reached_);
    checked_free(expanded_);
    checked_free(this_step_);
    checked_free(reader_start_);
    checked_free(reader_list_);
}

void
wiring_reach::expand(uint16_t c, const reach_visitor &visit)
{
    if (kind_ == reach_kind::inputs) {
        for (int p = nhoodm[c] - 1; p >= 0; p--) {
            if (!wired_input(c, p, n_))
                continue;
            visit(c, wiring[c][p]);
            set_bit(this_step_, wiring[c][p]);
        }
        return;
    }
    for (uint32_t i = reader_start_[c]; i < reader_start_[c + 1]; i++) {
        visit(c, reader_list_[i]);
        set_bit(this_step_, reader_list_[i]);
    }
}

int
wiring_reach::first_step(const reach_visitor &visit)
{
    if (cell_ < n_)
        expand(cell_, visit);
    for (uint32_t b = 0; b < (n_ + 7u) / 8; b++) {
        reached_[b] |= this_step_[b];
        this_step_[b] = 0;
    }
    return count();
}

wiring_reach::step
wiring_reach::next_step(const reach_visitor &visit)
{
    bool expanded = false;
    for (int c = n_ - 1; c >= 0; c--) {
        uint16_t u = static_cast<uint16_t>(c);
        if (!bit(reached_, u) || bit(expanded_, u))
            continue;
        set_bit(expanded_, u);
        expand(u, visit);
        expanded = true;
    }
    for (uint32_t b = 0; b < (n_ + 7u) / 8; b++) {
        reached_[b] |= this_step_[b];
        this_step_[b] = 0;
    }
    return {expanded, count()};
}

int
wiring_reach::count() const
{
    int total = 0;
    for (uint32_t c = 0; c < n_; c++)
        total += bit(reached_, static_cast<uint16_t>(c));
    return total;
}

bool
wiring_reach::reached(uint16_t c) const
{
    return c < n_ && bit(reached_, c);
}
