// The probabilistic ant's walk (ant_walk.h). Reads the links (basinjumps),
// the jumps of each node (node_period, m_size) and the size measures
// (graph_data.h); every choice is a draw of random(), in the order the
// walk makes them, so one seed gives one walk. Start at step_ant.
#include "engine/graphs/ant_walk.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/model/checked_alloc.h"

namespace {

uint32_t *
node_array(const char *label)
{
    return static_cast<uint32_t *>(checked_calloc(static_cast<size_t>(node_no) + 1, sizeof(uint32_t), label));
}

void
release(uint32_t *&array)
{
    checked_free(array);
    array = nullptr;
}

} // namespace

void
open_ant_walk(ant_walk &ant)
{
    close_ant_walk(ant);
    ant = ant_walk{};
    ant.prob_target = node_array("prob_target");
    ant.target = node_array("target");
    ant.hit_count = node_array("(hit_count");
    ant.size_share = node_array("size_share");
    compute_size_shares(ant);
    restart_ant(ant, true);
}

void
close_ant_walk(ant_walk &ant)
{
    release(ant.prob_target);
    release(ant.target);
    release(ant.hit_count);
    release(ant.size_share);
    ant.target_count = 0;
}

void
compute_size_shares(ant_walk &ant)
{
    // The measures are counts (states, runs, wires): summed and divided as
    // integers, the truncated shares cannot pass 10000 between them.
    auto measure = [](uint32_t i) {
        return static_cast<uint64_t>(std::max(node_size_measure(i), 0.0));
    };
    uint64_t measured = 0;
    for (uint32_t i = 1; i <= node_no; i++)
        measured += measure(i);
    ant.share_total = 0;
    for (uint32_t i = 1; i <= node_no; i++) {
        ant.size_share[i] = measured ? static_cast<uint32_t>(measure(i) * kAntScale / measured) : 0;
        ant.share_total += ant.size_share[i];
    }
}

uint32_t
draw_by_size_shares(const ant_walk &ant, uint32_t previous)
{
    if (ant.share_total == 0)
        return previous;
    const uint64_t r = static_cast<uint64_t>(random() % ant.share_total) + 1;
    uint64_t sum = 0;
    for (uint32_t i = 1; i <= node_no; i++) {
        sum += ant.size_share[i];
        if (sum >= r)
            return i;
    }
    return previous;
}

void
restart_ant(ant_walk &ant, bool clear_hits)
{
    if (clear_hits) {
        memset(ant.hit_count, 0, (static_cast<size_t>(node_no) + 1) * sizeof(uint32_t));
        ant.total = 0;
    }
    if (ant.random_ant)
        ant.current = draw_by_size_shares(ant, ant.current);
    else
        ant.current = static_cast<uint32_t>(random() % node_no) + 1;
    // A random ant whose shares never reach the draw starts at node 1.
    if (ant.current == 0)
        ant.current = 1;
}

void
toggle_random_ant(ant_walk &ant)
{
    ant.random_ant = !ant.random_ant;
    restart_ant(ant, true);
}

uint32_t
find_ant_targets(ant_walk &ant, uint32_t c)
{
    const uint64_t jumps = static_cast<uint64_t>(node_period[c]) * m_size;
    ant.target_count = 0;
    if (jumps == 0)
        return 0;
    for (uint32_t j = 1; j <= node_no; j++) {
        uint32_t w = basinjumps[c][j];
        if (w == 0)
            continue;
        ant.target[ant.target_count] = j;
        ant.prob_target[ant.target_count] =
            static_cast<uint32_t>(std::min<uint64_t>(static_cast<uint64_t>(w) * kAntScale / jumps, kAntScale));
        ant.target_count++;
    }
    return ant.target_count;
}

ant_step
step_ant(ant_walk &ant)
{
    const uint32_t c = ant.current;
    if (ant.total >= kMostAntHits)
        return {ant_event::full, c, c};
    if (find_ant_targets(ant, c) == 0) {
        if (!ant.random_ant)
            return {ant_event::stuck, c, c};
        ant.current = draw_by_size_shares(ant, c);
        return {ant_event::restarted, c, ant.current};
    }
    const uint64_t r = static_cast<uint64_t>(random() % kAntScale) + 1;
    uint64_t sum = 0;
    uint32_t next = c;
    for (uint32_t t = 0; t < ant.target_count; t++) {
        sum += ant.prob_target[t];
        if (sum >= r) {
            next = ant.target[t];
            break;
        }
    }
    ant.hit_count[next]++;
    ant.total++;
    ant.current = ant.random_ant ? draw_by_size_shares(ant, next) : next;
    return {ant.total >= kMostAntHits ? ant_event::full : ant_event::stepped, c, next};
}

uint32_t
faster_delay(uint32_t delay)
{
    return std::max<uint32_t>(delay / 2, 1);
}

uint32_t
slower_delay(uint32_t delay)
{
    uint64_t doubled = static_cast<uint64_t>(delay) * 2;
    return doubled > kAntDelayCap ? kAntDelayAfterCap : static_cast<uint32_t>(doubled);
}
