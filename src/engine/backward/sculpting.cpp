// Sculpting a basin field (sculpting.h): building the list of aspiring
// pre-images in learn_pre, and the learn and forget passes over it by rule
// bit flips or wire moves. Reads and changes the network model (carule,
// wiring, tar, learn_pre, notolearn); random orders come from
// model/network_arithmetic.h. Start reading at sculpt_pass.
#include "engine/backward/sculpting.h"

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <unordered_set>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"

namespace {

// A list of aspiring pre-images being built: each line its own block from
// the recoverable allocator, at most kMostAspiring of them, optionally
// without repeats. commit makes it learn_pre; a list that ran out of memory
// is dropped and learn_pre stays as it was.
class asp_builder {
public:
    explicit asp_builder(bool no_repeats) : no_repeats_(no_repeats) {}
    ~asp_builder()
    {
        for (uint8_t *row : rows_)
            checked_free(row);
    }
    asp_builder(const asp_builder &) = delete;
    asp_builder &operator=(const asp_builder &) = delete;

    // False once the list is full or out of memory: nothing more is taken.
    bool
    add(const uint8_t *line)
    {
        if (result_.cut || result_.no_memory)
            return false;
        if (rows_.size() == kMostAspiring) {
            result_.cut = true;
            return false;
        }
        std::string_view key(reinterpret_cast<const char *>(line), bytesL);
        if (no_repeats_ && seen_.count(key))
            return true;
        uint8_t *row = static_cast<uint8_t *>(try_checked_calloc(bytesL, 1));
        if (row == nullptr) {
            result_.no_memory = true;
            return false;
        }
        memcpy(row, line, bytesL);
        rows_.push_back(row);
        if (no_repeats_)
            seen_.insert(std::string_view(reinterpret_cast<const char *>(row), bytesL));
        return true;
    }

    asp_list_result
    commit()
    {
        result_.count = static_cast<uint32_t>(rows_.size());
        if (result_.no_memory || rows_.empty())
            return result_;
        auto **list = static_cast<uint8_t **>(try_checked_calloc(rows_.size(), sizeof(uint8_t *)));
        if (list == nullptr) {
            result_.no_memory = true;
            return result_;
        }
        if (learn_pre) {
            for (int32_t i = 0; i < notolearn; i++)
                checked_free(learn_pre[i]);
            checked_free(learn_pre);
        }
        memcpy(list, rows_.data(), rows_.size() * sizeof(uint8_t *));
        learn_pre = list;
        notolearn = static_cast<int32_t>(rows_.size());
        rows_.clear();
        seen_.clear();
        return result_;
    }

private:
    bool no_repeats_;
    std::vector<uint8_t *> rows_;
    std::unordered_set<std::string_view> seen_;
    asp_list_result result_;
};

// A scratch state line for the builders.
struct scratch_line {
    uint8_t *line = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "temp"));
    ~scratch_line() { checked_free(line); }
};

// Gives cell c another value: v = 2 the other one, v > 2 a random different one.
void
change_cell(uint8_t *line, uint32_t c)
{
    int x = get_value(line, c), v = value_range;
    set_value(line, c, v == 2 ? 1 - x : static_cast<int>((x + 1 + random() % (v - 1)) % v));
}

const uint8_t *
rule_of(int c)
{
    return rulemix ? carule[c] : carule[0];
}

uint8_t *
rule_of_mutable(int c)
{
    return rulemix ? carule[c] : carule[0];
}

uint32_t
nhood_index(int c, const uint8_t *state, const uint16_t *inputs)
{
    uint32_t index = 0, weight = 1;
    for (int j = 0; j < nhoodm[c]; j++) {
        index += static_cast<uint32_t>(get_value(state, inputs[j])) * weight;
        weight *= static_cast<uint32_t>(value_range);
    }
    return index;
}

// Whether the output of cell c under line is what the aim wants of it.
bool
output_wanted(sculpt_aim aim, int c, const uint8_t *line, const uint16_t *inputs)
{
    bool equal = cell_output(c, line, inputs) == get_value(tar, static_cast<uint32_t>(c));
    return aim == sculpt_aim::learn ? equal : !equal;
}

void
flip_bit(sculpt_aim aim, int c, const uint8_t *line)
{
    uint8_t *rule = rule_of_mutable(c);
    uint32_t index = nhood_index(c, line, wiring[c]);
    int t = get_value(tar, static_cast<uint32_t>(c)), v = value_range;
    int now = get_value(rule, index);
    int next;
    if (v == 2)
        next = 1 - now;
    else if (aim == sculpt_aim::learn)
        next = t;
    else
        next = static_cast<int>((t + 1 + random() % (v - 1)) % v);
    set_value(rule, index, next);
}

// Rewires one input of cell c so that every aspiring pre-image up to and
// including `upto` gives the wanted output; leaves the cell as it was when
// no single rewiring does.
void
move_wire(sculpt_aim aim, int c, int32_t upto, sculpt_work &w)
{
    const int k = nhoodm[c];
    shuffle_order(w.shuff_wire, k);
    for (int p = 0; p < k; p++) {
        const int pos = w.shuff_wire[p];
        memcpy(w.pnhood, wiring[c], static_cast<size_t>(k) * sizeof(uint16_t));
        shuffle_order(w.shuff_z2, lineL);
        for (int s = 0; s < lineL; s++) {
            w.pnhood[pos] = w.shuff_z2[s];
            bool all = true;
            for (int32_t q = 0; q <= upto && all; q++)
                all = output_wanted(aim, c, learn_pre[q], w.pnhood);
            if (all) {
                wiring[c][pos] = w.pnhood[pos];
                return;
            }
        }
    }
}

// An order of count entries from shuffle_order's draws, for lists longer
// than its 65536 entries too: draw random() % count until unused.
void
random_order(uint32_t *order, uint32_t count, const char *label)
{
    if (count <= 65536) {
        auto *small = static_cast<uint16_t *>(checked_calloc(count, sizeof(uint16_t), label));
        shuffle_order(small, static_cast<int>(count));
        for (uint32_t i = 0; i < count; i++)
            order[i] = small[i];
        checked_free(small);
        return;
    }
    auto *used = static_cast<uint8_t *>(checked_calloc(count / 8 + 1, 1, label));
    for (uint32_t i = 0; i < count; i++) {
        uint32_t r;
        do
            r = static_cast<uint32_t>(random() % count);
        while (get_bitlong(used, r));
        set_bitlong(used, r, 1);
        order[i] = r;
    }
    checked_free(used);
}

} // namespace

bool
resize_asp_list(uint32_t count)
{
    if (count == 0)
        count = 1;
    scratch_line zero;
    asp_builder list(false);
    for (uint32_t i = 0; i < count && list.add(zero.line); i++) {
    }
    asp_list_result r = list.commit();
    return !r.no_memory;
}

uint32_t
asp_range_max()
{
    int cells = lineL < maxL_lu ? lineL : maxL_lu;
    uint64_t states = 1;
    for (int c = 0; c < cells && states <= Maxlu; c++)
        states *= static_cast<uint64_t>(value_range);
    return states > Maxlu ? Maxlu : static_cast<uint32_t>(states - 1);
}

asp_list_result
asp_list_range(uint32_t start, uint32_t end, uint32_t step)
{
    if (step < 1)
        step = 1;
    scratch_line state;
    asp_builder list(false);
    for (uint64_t s = start; s <= end; s += step) {
        dec_to_value_line(state.line, static_cast<uint32_t>(s), lineL);
        if (!list.add(state.line))
            break;
    }
    return list.commit();
}

asp_list_result
asp_list_parity(int parity, int d)
{
    if (d > 20)
        d = 20;
    if (d > lineL)
        d = lineL;
    scratch_line state;
    asp_builder list(false);
    for (int64_t s = (int64_t(1) << d) - 1; s >= 0; s--) {
        dec_to_value_line(state.line, static_cast<uint32_t>(s), lineL);
        int sum = 0;
        for (uint32_t c = 0; c < lineL; c++)
            sum += get_value(state.line, c);
        if ((sum % 2 == 1) == (parity == 1) && !list.add(state.line))
            break;
    }
    return list.commit();
}

asp_list_result
asp_list_mutants(int depth)
{
    scratch_line one, two;
    asp_builder list(depth == 2);
    for (uint32_t i = 0; i < lineL; i++) {
        memcpy(one.line, tar, bytesL);
        change_cell(one.line, i);
        if (!list.add(one.line))
            break;
        if (depth != 2)
            continue;
        bool room = true;
        for (uint32_t j = 0; j < lineL && room; j++) {
            memcpy(two.line, one.line, bytesL);
            change_cell(two.line, j);
            room = list.add(two.line);
        }
        if (!room)
            break;
    }
    return list.commit();
}

int
cell_output(int c, const uint8_t *state, const uint16_t *inputs)
{
    return get_value(rule_of(c), nhood_index(c, state, inputs));
}

bool
maps_onto_target(const uint8_t *state)
{
    for (int c = 0; c < lineL; c++)
        if (cell_output(c, state, wiring[c]) != get_value(tar, static_cast<uint32_t>(c)))
            return false;
    return true;
}

sculpt_work::sculpt_work()
{
    pnhood = static_cast<uint16_t *>(checked_calloc(nhood > 0 ? nhood : 1, sizeof(uint16_t), "pnhood"));
    shuff_wire = static_cast<uint16_t *>(checked_calloc(nhood > 0 ? nhood : 1, sizeof(uint16_t), "shuff_wire"));
    shuffle_z = static_cast<uint16_t *>(checked_calloc(lineL, sizeof(uint16_t), "shuffle_z"));
    shuff_z2 = static_cast<uint16_t *>(checked_calloc(lineL, sizeof(uint16_t), "shuff_z2"));
}

sculpt_work::~sculpt_work()
{
    checked_free(pnhood);
    checked_free(shuff_wire);
    checked_free(shuffle_z);
    checked_free(shuff_z2);
}

void
sculpt_pass(sculpt_aim aim, sculpt_change change, sculpt_work &w)
{
    for (int32_t p = 0; p < notolearn; p++) {
        const uint8_t *line = learn_pre[p];
        shuffle_order(w.shuffle_z, lineL);
        for (int i = 0; i < lineL; i++) {
            const int c = w.shuffle_z[i];
            const bool gives_target =
                cell_output(c, line, wiring[c]) == get_value(tar, static_cast<uint32_t>(c));
            if (aim == sculpt_aim::learn && gives_target)
                continue;
            if (aim == sculpt_aim::forget && !gives_target)
                break; // already no pre-image of the target
            if (change == sculpt_change::bit_flips)
                flip_bit(aim, c, line);
            else
                move_wire(aim, c, p, w);
            if (aim == sculpt_aim::forget)
                break; // one change suffices
        }
    }
}

sculpt_split
split_by_target()
{
    sculpt_split s;
    for (int32_t p = 0; p < notolearn; p++)
        (maps_onto_target(learn_pre[p]) ? s.ok : s.no).push_back(static_cast<uint32_t>(p));
    return s;
}

bool
something_left(sculpt_aim aim, const sculpt_split &s)
{
    return aim == sculpt_aim::learn ? !s.no.empty() : !s.ok.empty();
}

void
reorder_for_another_pass(sculpt_aim aim, const sculpt_split &s)
{
    const std::vector<uint32_t> &achieved = aim == sculpt_aim::learn ? s.ok : s.no;
    const std::vector<uint32_t> &left = aim == sculpt_aim::learn ? s.no : s.ok;
    if (left.empty())
        return;
    std::vector<uint8_t *> order;
    order.reserve(static_cast<size_t>(notolearn));
    order.push_back(learn_pre[left.back()]);
    std::vector<uint32_t> shuffle(achieved.size() > left.size() ? achieved.size() : left.size());
    random_order(shuffle.data(), static_cast<uint32_t>(achieved.size()),
                 aim == sculpt_aim::learn ? "shuffle_okrepre" : "shuffle_norepre");
    for (size_t i = 0; i < achieved.size(); i++)
        order.push_back(learn_pre[achieved[shuffle[i]]]);
    const uint32_t others = static_cast<uint32_t>(left.size() - 1);
    random_order(shuffle.data(), others, aim == sculpt_aim::learn ? "shuffle_norepre" : "shuffle_okrepre");
    for (uint32_t i = 0; i < others; i++)
        order.push_back(learn_pre[left[shuffle[i]]]);
    memcpy(learn_pre, order.data(), order.size() * sizeof(uint8_t *));
}
