// Jump counting of the attractor jump graph (jump_counting.h). Every
// perturbation run looks its states up among the nodes' reference states
// (each node's first attractor state) in a hash index built once: by state
// number in a field (v^n fits 32 bits there), by the state line itself for
// the attractor histogram's types, whose networks may be far larger. The
// references are distinct, so the one match is the first in node order.
// Reads the basin type table (engine/backward), exh_pairs and the network
// globals; steps through engine/forward's forward_step. Start at
// count_field_jumps.
#include "engine/graphs/jump_counting.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/backward/basin_types.h"
#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/key_poll.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"

namespace {

// Steps between two key polls: the registered poll reads a clock, which
// costs more than a table step.
constexpr uint32_t kStepsPerPoll = 64;

// The nodes' reference states in an open-addressing table of node numbers
// (0 an empty slot), at most half full.
class reference_index {
public:
    // by_line false: the references are looked up by state number.
    reference_index(uint32_t nodes, uint8_t *const *const *states, const uint32_t *period,
                    bool by_line)
        : states_(states), numbers_(static_cast<size_t>(nodes) + 1)
    {
        size_t size = 4;
        while (size < 2 * (static_cast<size_t>(nodes) + 1))
            size *= 2;
        slots_.assign(size, 0);
        mask_ = size - 1;
        int used = (lineL * value_bits) % 8;
        last_byte_mask_ = used ? static_cast<uint8_t>((1u << used) - 1) : 0xff;
        for (uint32_t i = 1; i <= nodes; i++) {
            if (period[i] == 0)
                continue;
            const uint8_t *line = states[i][1];
            numbers_[i] = dec_equiv(line, L);
            size_t s = by_line ? slot_of_line(line) : slot_of_number(numbers_[i]);
            for (;;) {
                uint32_t held = slots_[s];
                if (held == 0) {
                    slots_[s] = i;
                    break;
                }
                // An equal reference of a lower node keeps the place.
                if (by_line ? lines_equal(states[held][1], line) : numbers_[held] == numbers_[i])
                    break;
                s = (s + 1) & mask_;
            }
        }
    }

    // The node whose reference has state number s, or 0.
    uint32_t
    find_number(uint32_t s) const
    {
        for (size_t k = slot_of_number(s);; k = (k + 1) & mask_) {
            uint32_t node = slots_[k];
            if (node == 0 || numbers_[node] == s)
                return node;
        }
    }

    // The node whose reference is the state line, or 0.
    uint32_t
    find_line(const uint8_t *line) const
    {
        for (size_t k = slot_of_line(line);; k = (k + 1) & mask_) {
            uint32_t node = slots_[k];
            if (node == 0 || lines_equal(states_[node][1], line))
                return node;
        }
    }

private:
    uint8_t *const *const *states_;
    std::vector<uint32_t> numbers_;
    std::vector<uint32_t> slots_;
    size_t mask_ = 0;
    uint8_t last_byte_mask_ = 0xff;

    size_t
    slot_of_number(uint32_t s) const
    {
        return static_cast<size_t>((s * 0x9E3779B97F4A7C15ull) >> 32) & mask_;
    }

    // The bits past the last cell are no part of the state and may differ.
    size_t
    slot_of_line(const uint8_t *line) const
    {
        uint64_t h = 0xcbf29ce484222325ull;
        for (uint32_t b = 0; b + 1 < bytesL; b++)
            h = (h ^ line[b]) * 0x100000001b3ull;
        h = (h ^ (line[bytesL - 1] & last_byte_mask_)) * 0x100000001b3ull;
        return static_cast<size_t>(h ^ (h >> 29)) & mask_;
    }

    bool
    lines_equal(const uint8_t *a, const uint8_t *b) const
    {
        return memcmp(a, b, bytesL - 1u) == 0 &&
               ((a[bytesL - 1] ^ b[bytesL - 1]) & last_byte_mask_) == 0;
    }
};

// How a perturbation run steps and recognises a reference.
enum class stepping { table, step_by_number, step_by_line };

// The counting of one graph: every perturbation of every attractor state,
// run to a reference state or to its step limit.
class jump_counter {
public:
    jump_counter(uint32_t nodes, uint8_t *const *const *states, const uint32_t *period,
                 stepping how, uint64_t most_steps, graph_progress progress)
        : states_(states), period_(period), nodes_(nodes), how_(how), most_steps_(most_steps),
          progress_(progress), index_(nodes, states, period, how == stepping::step_by_line)
    {
        uint64_t periods = 0;
        for (uint32_t i = 1; i <= nodes; i++)
            periods += period[i];
        total_ = periods * lineL * static_cast<uint64_t>(value_range - 1);
        work_ = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "current_state"));
    }
    ~jump_counter() { checked_free(work_); }

    // Fills basinjumps; false when the user stopped it with 'q'.
    bool
    count(uint8_t **rules, const step_mode &mode)
    {
        rules_ = rules;
        mode_ = mode;
        for (uint32_t i = 1; i <= nodes_; i++)
            for (uint32_t p = 1; p <= period_[i]; p++)
                for (int c = lineL - 1; c >= 0; c--) {
                    int own = get_value(states_[i][p], static_cast<uint32_t>(c));
                    for (int u = 0; u < value_range; u++) {
                        if (u == own)
                            continue;
                        memcpy(work_, states_[i][p], bytesL);
                        set_value(work_, static_cast<uint32_t>(c), u);
                        uint32_t met = 0;
                        if (!run(met))
                            return false;
                        basinjumps[i][met]++;
                        count_done();
                    }
                }
        return true;
    }

private:
    uint8_t *const *const *states_;
    const uint32_t *period_;
    uint32_t nodes_;
    stepping how_;
    uint64_t most_steps_;
    graph_progress progress_;
    reference_index index_;
    uint64_t total_ = 0, done_ = 0;
    uint32_t poll_countdown_ = kStepsPerPoll;
    uint8_t *work_ = nullptr;
    uint8_t **rules_ = nullptr;
    step_mode mode_;

    bool
    stopped()
    {
        if (--poll_countdown_ > 0)
            return false;
        poll_countdown_ = kStepsPerPoll;
        return key_poll() == 'q';
    }

    // The run of work_: met := the node reached, 0 when none within the
    // limit; false when the user stopped it.
    bool
    run(uint32_t &met)
    {
        if (how_ == stepping::table) {
            uint32_t s = dec_equiv(work_, L);
            for (uint64_t t = 0; t < most_steps_; t++) {
                s = dec_equiv(exh_pairs + static_cast<size_t>(s) * bytesL, L);
                if ((met = index_.find_number(s)) != 0)
                    return true;
                if (stopped())
                    return false;
            }
            return true;
        }
        memcpy(A, work_, bytesL);
        for (uint64_t t = 0; t < most_steps_; t++) {
            forward_step(rules_, mode_);
            met = how_ == stepping::step_by_line ? index_.find_line(A)
                                                 : index_.find_number(dec_equiv(A, L));
            if (met != 0)
                return true;
            if (stopped())
                return false;
        }
        return true;
    }

    void
    count_done()
    {
        done_++;
        if (!progress_ || total_ <= 100)
            return;
        uint64_t step = total_ / 100;
        if (done_ % step == 0)
            progress_(static_cast<unsigned>(done_ * 100 / total_));
    }
};

// The caller's step state, kept across the forward steps of the counting:
// A and F (the step exchanges them), the random-map switch (never used by
// the graph's own steps) and the step's work arrays when a run holds them.
class step_state_kept {
public:
    explicit step_state_kept(const step_mode &mode)
        : a_(A), f_(F), exhaustive_(exhaustive_testing), own_run_(pnhood == nullptr)
    {
        kept_ = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "Am"));
        memcpy(kept_, A, bytesL);
        if (own_run_)
            forward_run_begin(mode);
        if (exhaustive_testing == exhaustive_random_map)
            exhaustive_testing = exhaustive_off;
    }
    ~step_state_kept()
    {
        if (own_run_)
            forward_run_end();
        exhaustive_testing = exhaustive_;
        A = a_;
        F = f_;
        memcpy(A, kept_, bytesL);
        checked_free(kept_);
    }

private:
    uint8_t *a_, *f_, *kept_;
    uint8_t exhaustive_;
    bool own_run_;
};

// The mode of a graph's own steps: the caller's update mode, nothing a
// forward-only run adds.
step_mode
plain_mode(step_mode mode)
{
    mode.fwd_only = 0;
    mode.lastA = nullptr;
    mode.lookup_row = nullptr;
    mode.lookup_cell = -1;
    return mode;
}

// Counts with the counter's stepping; on 'q' the graph data go.
bool
finish_count(jump_counter &counter, uint8_t **rules, const step_mode &mode, bool steps)
{
    bool done;
    if (steps) {
        step_state_kept kept(mode);
        done = counter.count(rules, mode);
    } else {
        done = counter.count(rules, mode);
    }
    if (!done) {
        free_graph_data();
        return false;
    }
    sum_outside_inputs();
    return true;
}

} // namespace

bool
count_field_jumps(graph_progress progress)
{
    uint32_t nodes = basin_types_recorded();
    open_graph_data(graph_field, nodes, true);
    for (uint32_t i = 1; i <= nodes; i++)
        node_period[i] = m_att_period[i];
    m_space = static_cast<double>(int_power(value_range, lineL));
    m_size = static_cast<uint32_t>(lineL) * static_cast<uint32_t>(value_range - 1);
    bool table = exhaustive_testing != exhaustive_off && exh_pairs;
    stepping how = table ? stepping::table : stepping::step_by_number;
    // Every state of a complete field reaches its attractor's first state
    // within v^n steps.
    uint64_t most_steps = static_cast<uint64_t>(m_space);
    jump_counter counter(nodes, m_att, m_att_period, how, most_steps, progress);
    return finish_count(counter, carule, plain_mode(forward_run_mode(0)), !table);
}

bool
count_attractor_jumps(const attractor_types &types, graph_progress progress)
{
    uint32_t nodes = types.count;
    open_graph_data(graph_attractors, nodes, true);
    histnodesize = static_cast<uint32_t *>(
        checked_calloc(static_cast<size_t>(nodes) + 1, sizeof(uint32_t), "histnodesize"));
    uint32_t longest_period = 0;
    float longest_transient = 0;
    for (uint32_t i = 1; i <= nodes; i++) {
        histnodesize[i] = types.runs[i];
        node_period[i] = types.period[i];
        longest_period = std::max(longest_period, types.period[i]);
        longest_transient = std::max(longest_transient, types.mean_transient[i]);
    }
    m_space = types.sampled;
    m_size = static_cast<uint32_t>(lineL) * static_cast<uint32_t>(value_range - 1);
    uint64_t limit = 3 * (static_cast<uint64_t>(longest_period) + static_cast<uint64_t>(longest_transient));
    jump_counter counter(nodes, types.states, node_period, stepping::step_by_line, limit + 1,
                         progress);
    return finish_count(counter, types.rules, plain_mode(types.mode), true);
}
